// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/calendar.h"
#include "law/money.h"
#include "law/ten_thousands.h"
#include "tests/law/law_test_support.h"

#include <QTest>

#include <climits>

using namespace tallyra::law;
using law_test::M;

class TestLawMoney : public QObject {
    Q_OBJECT

private slots:
    void readsPlainDecimals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("fen");
        QTest::newRow("whole yuan") << "12000" << qint64(1'200'000);
        QTest::newRow("one decimal") << "12000.5" << qint64(1'200'050);
        QTest::newRow("two decimals") << "12000.05" << qint64(1'200'005);
        QTest::newRow("zero") << "0" << qint64(0);
        QTest::newRow("a fen") << "0.01" << qint64(1);
        QTest::newRow("leading zeros") << "007.10" << qint64(710);
        QTest::newRow("ten trillion yuan") << "10000000000000.00" << qint64(1'000'000'000'000'000);
        QTest::newRow("the largest count of fen") << "92233720368547758.07" << qint64(LLONG_MAX);
        // Sixteen characters are read without a check digit by digit, longer texts with one.
        QTest::newRow("sixteen digits") << "9999999999999999" << qint64(999'999'999'999'999'900);
        QTest::newRow("sixteen characters") << "9999999999999.99" << qint64(999'999'999'999'999);
        QTest::newRow("seventeen characters") << "00000000000001.50" << qint64(150);
    }
    void readsPlainDecimals()
    {
        QFETCH(QString, text);
        QFETCH(qint64, fen);
        const ParsedMoney parsed = ParseMoney(text.toStdString());
        QVERIFY(parsed.ok());
        QCOMPARE(parsed.value.fen(), fen);
    }

    void refusesWhatIsNotAnAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        const int malformed = int(MoneyTextError::Malformed);
        const int tooLarge = int(MoneyTextError::TooLarge);
        QTest::newRow("empty") << "" << malformed;
        QTest::newRow("grouped") << "12,000" << malformed;
        QTest::newRow("two points") << "12000.5.0" << malformed;
        QTest::newRow("three decimals") << "1.005" << malformed;
        QTest::newRow("point without decimals") << "12." << malformed;
        QTest::newRow("point first") << ".5" << malformed;
        QTest::newRow("minus") << "-5" << malformed;
        QTest::newRow("plus") << "+5" << malformed;
        QTest::newRow("exponent") << "1e3" << malformed;
        QTest::newRow("inner space") << "12 000" << malformed;
        QTest::newRow("full-width digits") << "１２" << malformed;
        QTest::newRow("yuan sign") << "¥12" << malformed;
        QTest::newRow("one fen past 64 bits") << "92233720368547758.08" << tooLarge;
        QTest::newRow("twenty digits") << "99999999999999999999" << tooLarge;
        QTest::newRow("seventeen digits, past 64 bits with the fen")
            << "99999999999999999" << tooLarge;
        QTest::newRow("sixteen characters, malformed") << "99999999999999.9x" << malformed;
    }
    void refusesWhatIsNotAnAmount()
    {
        QFETCH(QString, text);
        QFETCH(int, error);
        QCOMPARE(int(ParseMoney(text.toStdString()).error), error);
    }

    void writesTwoDecimals_data()
    {
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0.00";
        QTest::newRow("a fen") << qint64(1) << "0.01";
        QTest::newRow("ten fen") << qint64(10) << "0.10";
        QTest::newRow("99 fen") << qint64(99) << "0.99";
        QTest::newRow("a yuan") << qint64(100) << "1.00";
        QTest::newRow("ten yuan") << qint64(1000) << "10.00";
        QTest::newRow("three digits") << qint64(12'345) << "123.45";
        QTest::newRow("five digits") << qint64(1'234'567) << "12345.67";
        QTest::newRow("whole") << qint64(1'200'000) << "12000.00";
        QTest::newRow("negative fen") << qint64(-5) << "-0.05";
        QTest::newRow("negative") << qint64(-123'456) << "-1234.56";
        QTest::newRow("largest") << qint64(LLONG_MAX) << "92233720368547758.07";
        QTest::newRow("smallest") << qint64(LLONG_MIN) << "-92233720368547758.08";
        // Each count of the yuan's digits, at both sides of its power of ten.
        qint64 power = 10;
        for (int digits = 1; digits <= 16; ++digits, power *= 10) {
            const QString nines(digits, u'9');
            const QString tenPower = u'1' + QString(digits, u'0');
            QTest::addRow("%s.99", qPrintable(nines)) << power * 100 - 1 << nines + ".99";
            QTest::addRow("%s.00", qPrintable(tenPower)) << power * 100 << tenPower + ".00";
            QTest::addRow("-%s.99", qPrintable(nines)) << 1 - power * 100 << '-' + nines + ".99";
        }
    }
    void writesTwoDecimals()
    {
        QFETCH(qint64, fen);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(Money::Fen(fen).toString()), text);
    }

    // Amounts as texts name them in 万: whole where they are, else every decimal they need.
    void writesTenThousandYuan_data()
    {
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("six") << qint64(6'000'000) << "6";
        QTest::newRow("twelve") << qint64(12'000'000) << "12";
        QTest::newRow("a half") << qint64(6'500'000) << "6.5";
        QTest::newRow("a zero after the point") << qint64(6'050'000) << "6.05";
        QTest::newRow("a fen") << qint64(1) << "0.000001";
        QTest::newRow("below one") << qint64(1'234'560) << "1.23456";
        QTest::newRow("negative") << qint64(-6'500'000) << "-6.5";
        QTest::newRow("smallest") << qint64(LLONG_MIN) << "-9223372036854.775808";
    }
    void writesTenThousandYuan()
    {
        QFETCH(qint64, fen);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(TenThousandYuan(Money::Fen(fen))), text);
    }
    void writesCountsInTenThousands_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("a million") << qint64(1'000'000) << "100";
        QTest::newRow("one") << qint64(1) << "0.0001";
        QTest::newRow("a part") << qint64(12'340) << "1.234";
    }
    void writesCountsInTenThousands()
    {
        QFETCH(qint64, count);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(TenThousands(count)), text);
    }

    // Rounding to the fen, half away from zero, on both sides of zero.
    void roundsPercentagesHalfAwayFromZero_data()
    {
        QTest::addColumn<qint64>("fen");
        QTest::addColumn<int>("basisPoints");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("0.5 fen up") << qint64(10) << 500 << qint64(1);    // 10 × 5 % = 0.5
        QTest::newRow("0.49 fen down") << qint64(49) << 100 << qint64(0); // 0.49
        QTest::newRow("0.5 negative away") << qint64(-10) << 500 << qint64(-1);
        QTest::newRow("0.45 negative to zero") << qint64(-45) << 100 << qint64(0);
        QTest::newRow("exact") << qint64(1'000'000) << 800 << qint64(80'000);
        QTest::newRow("half percent") << qint64(1'234'567) << 50 << qint64(6'173); // 6172.835
        QTest::newRow("1.5 fen up") << qint64(30) << 500 << qint64(2);
    }
    void roundsPercentagesHalfAwayFromZero()
    {
        QFETCH(qint64, fen);
        QFETCH(int, basisPoints);
        QFETCH(qint64, rounded);
        QCOMPARE(Money::Fen(fen).timesBasisPoints(basisPoints).fen(), rounded);
        if (basisPoints % 100 == 0)
            QCOMPARE(Money::Fen(fen).timesPercent(basisPoints / 100).fen(), rounded);
    }

    void refusesOverflowInsteadOfWrapping()
    {
        const Money largest = Money::Fen(LLONG_MAX);
        const Money smallest = Money::Fen(LLONG_MIN);
        QVERIFY_THROWS_EXCEPTION(MoneyOverflow, largest + Money::Fen(1));
        QVERIFY_THROWS_EXCEPTION(MoneyOverflow, smallest - Money::Fen(1));
        QVERIFY_THROWS_EXCEPTION(MoneyOverflow, -smallest);
        QVERIFY_THROWS_EXCEPTION(MoneyOverflow, largest.times(2));
        QVERIFY_THROWS_EXCEPTION(MoneyOverflow, largest.timesPercent(45));
        QVERIFY_THROWS_EXCEPTION(MoneyOverflow, Money::Yuan(LLONG_MAX / 10));
        // Ten trillion yuan taxed at 45 % stays exact.
        const Money huge = M("10000000000000.00");
        QCOMPARE(huge.timesPercent(45), M("4500000000000.00"));
        QCOMPARE(huge.times(12), M("120000000000000.00"));
    }

    void readsYearMonths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month"); // 0: refused
        QTest::newRow("march") << "2026-03" << 2026 << 3;
        QTest::newRow("december") << "2019-12" << 2019 << 12;
        QTest::newRow("month 13") << "2026-13" << 0 << 0;
        QTest::newRow("month 00") << "2026-00" << 0 << 0;
        QTest::newRow("one-digit month") << "2026-3" << 0 << 0;
        QTest::newRow("slash") << "2026/03" << 0 << 0;
        QTest::newRow("day given") << "2026-03-01" << 0 << 0;
        QTest::newRow("letters") << "20a6-03" << 0 << 0;
        QTest::newRow("chinese") << "2026年3月" << 0 << 0;
    }
    void readsYearMonths()
    {
        QFETCH(QString, text);
        QFETCH(int, year);
        QFETCH(int, month);
        const auto parsed = ParseYearMonth(text.toStdString());
        QCOMPARE(parsed.has_value(), month != 0);
        if (parsed) {
            QCOMPARE(parsed->year, year);
            QCOMPARE(parsed->month, month);
        }
    }

    void findsTheDayBefore_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("d");
        QTest::addColumn<QString>("before");
        QTest::newRow("new year") << 2019 << 1 << 1 << "2018-12-31";
        QTest::newRow("march in a leap year") << 2008 << 3 << 1 << "2008-02-29";
        QTest::newRow("march in a common year") << 2011 << 3 << 1 << "2011-02-28";
        QTest::newRow("september") << 2011 << 9 << 1 << "2011-08-31";
        QTest::newRow("mid-month") << 2018 << 10 << 15 << "2018-10-14";
    }
    void findsTheDayBefore()
    {
        QFETCH(int, y);
        QFETCH(int, m);
        QFETCH(int, d);
        QFETCH(QString, before);
        QCOMPARE(QString::fromStdString(ToString(DayBefore({y, m, d}))), before);
    }
};

QTEST_APPLESS_MAIN(TestLawMoney)
#include "test_law_money.moc"
