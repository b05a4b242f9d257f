// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/numbers.h"
#include "tests/support/chinese_locale.h"

#include <QLocale>
#include <QTest>

using namespace tallyra;

class TestNumberReading : public QObject {
    Q_OBJECT

private slots:
    void init() { test::UseChineseLocale(); }

    void acceptsNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("value");
        // clang-format off
        QTest::newRow("zero") << "0" << 0.0f;
        QTest::newRow("whole") << "1500" << 1500.0f;
        QTest::newRow("decimals") << "1500.50" << 1500.5f;
        QTest::newRow("negative") << "-20" << -20.0f;
        QTest::newRow("plus sign") << "+5" << 5.0f;
        QTest::newRow("blanks around") << "  1200 " << 1200.0f;
        QTest::newRow("leading point") << ".5" << 0.5f;
        QTest::newRow("group separator") << "12,345.5" << 12345.5f;
        QTest::newRow("exponent") << "1.5e3" << 1500.0f;
        QTest::newRow("full-width digits") << "１２３４．５" << 1234.5f;
        QTest::newRow("full-width minus") << "－２００" << -200.0f;
        QTest::newRow("ideographic space") << "\u3000" "800" << 800.0f;
        QTest::newRow("largest single") << "3.4028234e38" << 3.4028234e38f;
        // clang-format on
    }
    void acceptsNumbers()
    {
        QFETCH(QString, text);
        QFETCH(float, value);
        QVERIFY(IsNumeric(text));
        QCOMPARE(ReadSingle(text), std::optional<float>(value));
    }

    void refusesOtherTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("letters") << "abc";
        QTest::newRow("number then letters") << "12abc";
        QTest::newRow("sign alone") << "-";
        QTest::newRow("two points") << "1.2.3";
        QTest::newRow("inf") << "inf";
        QTest::newRow("nan") << "nan";
        QTest::newRow("beyond single range") << "3.5e38";
        QTest::newRow("negative beyond range") << "-1e39";
        QTest::newRow("beyond double range") << "1e400";
        QTest::newRow("hex") << "0x10";
        QTest::newRow("comma decimal in a point locale") << "12,34";
        QTest::newRow("control character") << "12\n3";
    }
    void refusesOtherTexts()
    {
        QFETCH(QString, text);
        QVERIFY(!IsNumeric(text));
        QVERIFY(!ReadSingle(text).has_value());
        QVERIFY(!ReadDouble(text).has_value());
    }

    void readsByTheUsersLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(ReadSingle(QStringLiteral("1.234,5")), std::optional<float>(1234.5f));
        QVERIFY(!IsNumeric(QStringLiteral("1,234.5")));
        QCOMPARE(SingleText(1234.5f), QStringLiteral("1234,5"));
        QCOMPARE(ReadDouble(DoubleText(86.415)), std::optional<double>(86.415));
    }

    // A text total keeps double precision; the numeric test still bounds it to the single range.
    void readsDoubleWithoutNarrowing()
    {
        QCOMPARE(ReadDouble(QStringLiteral("222.21")), std::optional<double>(222.21));
        QVERIFY(*ReadDouble(QStringLiteral("222.21")) !=
                double(*ReadSingle(QStringLiteral("222.21"))));
    }
};

QTEST_GUILESS_MAIN(TestNumberReading)
#include "test_number_reading.moc"
