// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_text.h"

#include <QTest>

using namespace tallyra;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void singleText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("whole") << 3000.0f << "3000";
        QTest::newRow("seven digits") << 1832.778f << "1832.778";
        QTest::newRow("cents") << 12345.67f << "12345.67";
        QTest::newRow("rounded to seven") << 1234567.8f << "1234568";
        QTest::newRow("below one") << 0.5f << "0.5";
        QTest::newRow("small") << 0.0001234567f << "0.0001234567";
        QTest::newRow("negative") << -200.0f << "-200";
        QTest::newRow("negative zero") << -0.0f << "0";
        // 694837.25 is exactly halfway: half away from zero, not printf's half to even.
        QTest::newRow("tie rounds up") << 694837.25f << "694837.3";
        QTest::newRow("negative tie") << -694837.25f << "-694837.3";
        QTest::newRow("tie at .x5") << 1.5f << "1.5";
        QTest::newRow("carry into a new digit") << 9999999.5f << "10000000";
        // Ten million and more: written out in full with zeros, never with an exponent.
        QTest::newRow("ten million") << 10000000.0f << "10000000";
        QTest::newRow("eight digits") << 12345678.0f << "12345680";
        QTest::newRow("largest single") << 3.4028235e38f << "340282300000000000000000000000000000000";
        // clang-format on
    }
    void singleText()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(SingleToText(value)), text);
    }

    void doubleText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("84.00000000000001") << 84.00000000000001 << "84";
        QTest::newRow("86.41500000000001") << 86.41500000000001 << "86.415";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("fifteen digits") << 759.2175073242188 << "759.217507324219";
        // 1234567890123.125 is exact in binary and halfway at the 15th digit.
        QTest::newRow("tie rounds up") << 1234567890123.125 << "1234567890123.13";
        QTest::newRow("negative") << -180.0 << "-180";
    }
    void doubleText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(DoubleToText(value)), text);
    }

    void twoDecimalCut_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("cut, not rounded") << 759.217507324219 << "." << "759.21";
        QTest::newRow("whole") << 738.0 << "." << "738";
        QTest::newRow("one decimal") << 37.5 << "." << "37.5";
        QTest::newRow("negative") << -61.5789 << "." << "-61.57";
        // Only a full stop is looked for: a comma-decimal text stays whole.
        QTest::newRow("comma separator") << 759.217507324219 << "," << "759,217507324219";
        // clang-format on
    }
    void twoDecimalCut()
    {
        QFETCH(double, value);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(TwoDecimalCut(value, separator.toStdString())), text);
    }

    void usesTheGivenSeparator()
    {
        QCOMPARE(QString::fromStdString(SingleToText(12345.67f, ",")), QStringLiteral("12345,67"));
        QCOMPARE(QString::fromStdString(DoubleToText(0.25, ",")), QStringLiteral("0,25"));
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
