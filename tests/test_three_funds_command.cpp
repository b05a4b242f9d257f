// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/form_driver.h"

#include <QTest>

using namespace tallyra;
using test::FormDriver;

namespace {

const QStringList kFundBoxes{"TxtGJJ",   "TxtYLJ",   "TxtYLBX",   "TxtSYBX",
                             "TxtGSGJJ", "TxtGSYLJ", "TxtGSYLBX", "TxtGSSYBX",
                             "Txt3J",    "TxtCmp3J", "TxtTol3J"};

QStringList FundTexts(const FormDriver& d)
{
    QStringList texts;
    for (const QString& name : kFundBoxes)
        texts << d.text(name);
    return texts;
}

void ByBase(FormDriver& d, const QString& base)
{
    d.setChecked(QStringLiteral("OptSjType(1)"), true);
    d.setText(QStringLiteral("TxtInputSJJS"), base);
}

} // namespace

class TestThreeFundsCommand : public QObject {
    Q_OBJECT

private slots:
    void init() { test::UseChineseLocale(); }

    void computesTheBoxes_data()
    {
        QTest::addColumn<QString>("salary");
        QTest::addColumn<QString>("base"); // empty: by the pre-tax salary
        QTest::addColumn<QList<bool>>("ticked");
        QTest::addColumn<QStringList>("boxes");
        const QList<bool> all{true, true, true, true};
        QTest::newRow("base 1200")
            << "3000"
            << "1200" << all
            << QStringList{"84", "96", "24", "12", "84", "270", "144", "24", "216", "522", "738"};
        QTest::newRow("base 1234.5, total cut")
            << "3000"
            << "1234.5" << all
            << QStringList{"86.415", "98.76", "24.69",  "12.345",   "86.415", "277.7625",
                           "148.14", "24.69", "222.21", "537.0075", "759.21"};
        QTest::newRow("salary 1234.5, total whole")
            << "1234.5"
            << "" << all
            << QStringList{"86.415", "98.76", "24.69",  "12.345",   "86.415",          "277.7625",
                           "148.14", "24.69", "222.21", "537.0075", "759.217507324219"};
        QTest::newRow("unemployment only")
            << "1234.5"
            << "" << QList<bool>{false, false, false, true}
            << QStringList{"0",     "0",      "0",     "12.345",          "0", "0", "0",
                           "24.69", "12.345", "24.69", "37.0350005340576"};
        QTest::newRow("none ticked, by salary")
            << "3000"
            << "" << QList<bool>{false, false, false, false}
            << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
        QTest::newRow("none ticked, by base")
            << "3000"
            << "1200" << QList<bool>{false, false, false, false}
            << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
        QTest::newRow("base 0") << "3000"
                                << "0" << all << QStringList{"0", "0", "0", "0", "0", "0",
                                                             "0", "0", "0", "0", "0"};
        QTest::newRow("base equal to salary")
            << "1200"
            << "1200" << all
            << QStringList{"84", "96", "24", "12", "84", "270", "144", "24", "216", "522", "738"};
        QTest::newRow("negative salary by salary")
            << "-1000"
            << "" << all << QStringList{"-70",  "-80", "-20",  "-10",  "-70", "-225",
                                        "-120", "-20", "-180", "-435", "-615"};
    }
    void computesTheBoxes()
    {
        QFETCH(QString, salary);
        QFETCH(QString, base);
        QFETCH(QList<bool>, ticked);
        QFETCH(QStringList, boxes);
        FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), salary);
        if (!base.isEmpty())
            ByBase(d, base);
        for (int i = 0; i < 4; ++i)
            d.setChecked(QStringLiteral("chkSj(%1)").arg(i), ticked[i]);
        d.form().CmdCalSJ_Click();
        QCOMPARE(d.messages().shown, QStringList());
        QCOMPARE(FundTexts(d), boxes);
        QCOMPARE(d.control(QStringLiteral("TxtInputSJJS"))->isVisibleTo(&d.form()),
                 !base.isEmpty());
    }

    // Each refusal names what the window keeps: the totals of the last good run.
    void refusals_data()
    {
        QTest::addColumn<QString>("salary");
        QTest::addColumn<QString>("base");
        QTest::addColumn<bool>("alwaysRecompute");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("contributionsZeroed");
        // clang-format off
        QTest::newRow("salary empty") << "" << "1200" << false << "请先填写税前薪水" << false;
        QTest::newRow("salary letters") << "abc" << "1200" << false << "请先填写税前薪水" << false;
        QTest::newRow("base empty") << "3000" << "" << false << "请先填写正确数值!" << true;
        QTest::newRow("base letters") << "3000" << "x1" << false << "请先填写正确数值!" << true;
        QTest::newRow("base beyond range") << "3000" << "4e38" << false << "请先填写正确数值!" << true;
        QTest::newRow("base negative") << "3000" << "-1" << false << "不能为负数！" << true;
        QTest::newRow("base above salary") << "3000" << "3001" << false << "三金不能超过税前数目！" << true;
        // clang-format on
    }
    void refusals()
    {
        QFETCH(QString, salary);
        QFETCH(QString, base);
        QFETCH(bool, alwaysRecompute);
        QFETCH(QString, message);
        QFETCH(bool, contributionsZeroed);
        FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("1200"));
        d.form().CmdCalSJ_Click(); // a good run first: 84, 96, ... 216, 522, 738
        d.setText(QStringLiteral("TxtSQ"), salary);
        ByBase(d, QString());
        d.setText(QStringLiteral("TxtInputSJJS"), base);
        d.setChecked(QStringLiteral("ChkAlwaysCal3J"), alwaysRecompute);
        d.form().CmdCalSJ_Click();
        QCOMPARE(d.messages().shown, QStringList{message});
        const QStringList expected =
            contributionsZeroed
                ? QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "216", "522", "738"}
                : QStringList{"84",  "96", "24",  "12",  "84", "270",
                              "144", "24", "216", "522", "738"};
        QCOMPARE(FundTexts(d), expected);
    }

    // A figure longer than its box shows its first digits.
    void longFiguresShowTheirFirstDigits()
    {
        FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("12345.67"));
        d.form().CmdCalSJ_Click();
        QCOMPARE(d.text(QStringLiteral("TxtGJJ")), QStringLiteral("864.19689453125"));
        for (const QString& name : kFundBoxes)
            QCOMPARE(d.control<QLineEdit>(name)->cursorPosition(), 0);
    }

    void baseAboveSalaryIsComputedWhenAlwaysRecomputing()
    {
        FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("1199"));
        ByBase(d, QStringLiteral("1200"));
        d.form().CmdCalSJ_Click();
        QCOMPARE(d.messages().shown, QStringList());
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("216"));
    }

    void directionDoesNotMatter()
    {
        FormDriver d;
        d.chooseDirection(1);
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("1200"));
        d.form().CmdCalSJ_Click();
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("216"));
    }

    void optionShowsAndHidesTheBaseBox()
    {
        FormDriver d;
        QWidget* baseBox = d.control(QStringLiteral("TxtInputSJJS"));
        QVERIFY(!baseBox->isVisibleTo(&d.form()));
        d.click(QStringLiteral("OptSjType(1)"));
        QVERIFY(baseBox->isVisibleTo(&d.form()));
        QCOMPARE(d.text(QStringLiteral("TxtInputSJJS")), QStringLiteral("1200"));
        d.click(QStringLiteral("OptSjType(0)"));
        QVERIFY(!baseBox->isVisibleTo(&d.form()));
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("0")); // nothing computed
    }
};

QTEST_MAIN(TestThreeFundsCommand)
#include "test_three_funds_command.moc"
