// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/form_driver.h"

#include <QComboBox>
#include <QTest>

using namespace tallyra;
using test::FormDriver;

namespace {

// Threshold choice for a row: empty for the standard 1,000, otherwise the text for "其他".
void ChooseThreshold(FormDriver& d, const QString& threshold)
{
    if (threshold.isNull())
        return;
    d.setChecked(QStringLiteral("OptType(1)"), true);
    d.setText(QStringLiteral("CmbJs"), threshold);
}

} // namespace

class TestCompute : public QObject {
    Q_OBJECT

private slots:
    void init() { test::UseChineseLocale(); }

    // Worked examples with a fund total left in its box and recomputing off.
    void workedExamples_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("salary");
        QTest::addColumn<QString>("funds");
        QTest::addColumn<QString>("subsidy");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QStringList>("results");
        const QString standard;
        // clang-format off
        QTest::newRow("forward 3000") << 0 << "3000" << "300" << "0" << standard << QStringList{"3000", "145", "2855", "2555"};
        QTest::newRow("inverse 2855") << 1 << "2855" << "300" << "0" << standard << QStringList{"3000", "145", "2855", "2555"};
        QTest::newRow("inverse 10000 at 800") << 1 << "10000" << "0" << "0" << "800" << QStringList{"11831.25", "1831.25", "10000", "10000"};
        QTest::newRow("bracket ignores funds") << 0 << "2900" << "300" << "0" << "800" << QStringList{"2900", "145", "2755", "2455"};
        QTest::newRow("negative subsidy") << 0 << "3000" << "0" << "-200" << standard << QStringList{"3000", "155", "2845", "2645"};
        QTest::newRow("seven significant digits") << 0 << "12345.67" << "456.78" << "150" << standard << QStringList{"12345.67", "1832.778", "10512.89", "10206.11"};
        QTest::newRow("bound 500") << 0 << "1500" << "0" << "0" << standard << QStringList{"1500", "25", "1475", "1475"};
        QTest::newRow("just above 500") << 0 << "1500.5" << "0" << "0" << standard << QStringList{"1500.5", "25.05", "1475.45", "1475.45"};
        // Mended: a tax below zero counts as zero, so after-tax never exceeds pre-tax.
        QTest::newRow("negative tax counts as zero") << 0 << "1500" << "0" << "-600" << standard << QStringList{"1500", "0", "1500", "900"};
        QTest::newRow("negative tax inverse") << 1 << "1500" << "0" << "-600" << standard << QStringList{"1500", "0", "1500", "900"};
        QTest::newRow("full-width input") << 0 << "３０００" << "３００" << "０" << standard << QStringList{"3000", "145", "2855", "2555"};
        // clang-format on
    }
    void workedExamples()
    {
        QFETCH(int, direction);
        QFETCH(QString, salary);
        QFETCH(QString, funds);
        QFETCH(QString, subsidy);
        QFETCH(QString, threshold);
        QFETCH(QStringList, results);
        FormDriver d;
        d.enterWithFixedFunds(salary, funds, subsidy);
        ChooseThreshold(d, threshold);
        d.chooseDirection(direction);
        d.messages().scriptAnswers({false}); // a zero total asks; go on without funds
        d.click(QStringLiteral("CmdExe"));
        const bool asks = funds == QStringLiteral("0") || funds == QStringLiteral("０");
        QCOMPARE(d.messages().shown,
                 asks ? QStringList{"您的三金为0，需要立刻按照当前方式计算吗？"} : QStringList());
        QCOMPARE(d.results(), results);
    }

    // The checks of one request, in order; the first that fails is the only message.
    void checksInOrder_data()
    {
        QTest::addColumn<QString>("salary");
        QTest::addColumn<QString>("funds");
        QTest::addColumn<QString>("subsidy");
        QTest::addColumn<bool>("alwaysRecompute");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QString>("message");
        const QString standard;
        // clang-format off
        QTest::newRow("all empty") << "" << "" << "" << false << standard << "请先填写税前薪水!";
        QTest::newRow("letters") << "abc" << "" << "" << false << standard << "请输入正确的数据类型!";
        QTest::newRow("funds letters") << "3000" << "x" << "0" << false << standard << "请输入正确的数据类型!";
        QTest::newRow("subsidy letters") << "3000" << "0" << "补贴" << true << standard << "请输入正确的数据类型!";
        QTest::newRow("funds above salary") << "3000" << "3000.5" << "0" << false << standard << "三金不能超过税前数目！";
        QTest::newRow("negative salary, funds check first") << "-100" << "0" << "0" << false << standard << "三金不能超过税前数目！";
        QTest::newRow("negative salary") << "-100" << "0" << "0" << true << standard << "不能为负数！";
        QTest::newRow("negative threshold") << "3000" << "0" << "0" << true << "-5" << "基数不能为负数！";
        QTest::newRow("threshold empty") << "3000" << "0" << "0" << true << "" << "请先选择交税基数!";
        QTest::newRow("threshold letters") << "3000" << "0" << "0" << true << "abc" << "请先选择交税基数!";
        QTest::newRow("threshold and salary 0") << "0" << "0" << "0" << true << "0" << "请先选择交税基数!";
        QTest::newRow("salary 0") << "0" << "0" << "0" << true << standard << "请先填写薪水!";
        QTest::newRow("out of single range") << "1e39" << "0" << "0" << true << standard << "请输入正确的数据类型!";
        // clang-format on
    }
    void checksInOrder()
    {
        QFETCH(QString, salary);
        QFETCH(QString, funds);
        QFETCH(QString, subsidy);
        QFETCH(bool, alwaysRecompute);
        QFETCH(QString, threshold);
        QFETCH(QString, message);
        FormDriver d;
        d.enterWithFixedFunds(salary, funds, subsidy);
        d.setChecked(QStringLiteral("ChkAlwaysCal3J"), alwaysRecompute);
        ChooseThreshold(d, threshold);
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.messages().shown, QStringList{message});
        QCOMPARE(d.results(), (QStringList{"0", "0", "0", "0"})); // the start figures stay
    }

    void emptySalaryTouchesNothingElse()
    {
        FormDriver d;
        d.enterWithFixedFunds(QString(), QString(), QString());
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QString());
        QCOMPARE(d.text(QStringLiteral("TxtAdd")), QString());
    }

    void emptyBoxesBecomeZeroBeforeTheTypeCheck()
    {
        FormDriver d;
        d.enterWithFixedFunds(QStringLiteral("abc"), QString(), QString());
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("0"));
        QCOMPARE(d.text(QStringLiteral("TxtAdd")), QStringLiteral("0"));
    }

    void refusedRequestKeepsEarlierResults()
    {
        FormDriver d;
        d.enterWithFixedFunds(QStringLiteral("3000"), QStringLiteral("300"), QStringLiteral("0"));
        d.click(QStringLiteral("CmdExe"));
        d.enterWithFixedFunds(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"));
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.messages().shown, QStringList{"请先填写薪水!"});
        QCOMPARE(d.results(), (QStringList{"3000", "145", "2855", "2555"}));
        QCOMPARE(d.form().state().mTax, 145.0f);
    }

    void zeroFundsAskAndNoGoesOnWithZero()
    {
        FormDriver d;
        d.enterWithFixedFunds(QStringLiteral("3000"), QString(), QStringLiteral("0"));
        d.messages().scriptAnswers({false, false});
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("0"));
        QCOMPARE(d.results(), (QStringList{"3000", "175", "2825", "2825"}));
        d.click(QStringLiteral("CmdExe")); // the total is still 0: asked again
        QCOMPARE(d.messages().shown, (QStringList{"您的三金为0，需要立刻按照当前方式计算吗？",
                                                  "您的三金为0，需要立刻按照当前方式计算吗？"}));
        QCOMPARE(d.messages().unexpectedQuestions, 0);
    }

    // Yes recomputes the funds from the salary; the total then enters as its text, a double.
    void zeroFundsAskAndYesRecomputes()
    {
        FormDriver d;
        d.enterWithFixedFunds(QStringLiteral("3000"), QStringLiteral("0"), QStringLiteral("0"));
        d.messages().scriptAnswers({true});
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("540"));
        QCOMPARE(d.results(), (QStringList{"3000", "121", "2879", "2339"}));
        QVERIFY(d.form().state().mThreeFunds.visit(
            [](auto total) { return std::is_same_v<decltype(total), double>; }));
    }

    void alwaysRecomputeAsksNothing()
    {
        FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("3000"));
        d.setText(QStringLiteral("Txt3J"), QStringLiteral("999"));
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.messages().shown, QStringList());
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("540"));
        QCOMPARE(d.results(), (QStringList{"3000", "121", "2879", "2339"}));
    }

    // With recomputing off an earlier total is used again, even for another salary.
    void earlierTotalIsKeptWhenNotRecomputing()
    {
        FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("3000"));
        d.click(QStringLiteral("CmdExe"));
        d.setChecked(QStringLiteral("ChkAlwaysCal3J"), false);
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("4000"));
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("540"));
        QCOMPARE(d.results(), (QStringList{"4000", "244", "3756", "3216"}));
    }

    // A recomputed total above the salary is used when recomputing is on.
    void recomputedTotalAboveSalaryIsUsed()
    {
        FormDriver d;
        d.setChecked(QStringLiteral("OptSjType(1)"), true);
        d.setText(QStringLiteral("TxtInputSJJS"), QStringLiteral("20000"));
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("3000"));
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.messages().shown, QStringList());
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("3600"));
        QCOMPARE(d.results(), (QStringList{"3000", "0", "3000", "0"}));
    }

    // Mended: when the fund command stops with its message, the request stops too.
    void failedFundCommandStopsTheRequest()
    {
        FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("3000"));
        d.click(QStringLiteral("CmdExe"));
        d.setChecked(QStringLiteral("OptSjType(1)"), true);
        d.setText(QStringLiteral("TxtInputSJJS"), QStringLiteral("abc"));
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("5000"));
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.messages().shown, QStringList{"请先填写正确数值!"});
        QCOMPARE(d.results(), (QStringList{"3000", "121", "2879", "2339"}));
        QCOMPARE(d.form().state().mTax, 121.0f);
        QCOMPARE(d.text(QStringLiteral("TxtGJJ")), QStringLiteral("0"));
    }

    // The inverse direction takes the after-tax figure as the fund base.
    void inverseWithRecomputedFunds()
    {
        FormDriver d;
        d.chooseDirection(1);
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("2879"));
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.text(QStringLiteral("Txt3J")), QStringLiteral("518.22"));
        // ((2879 - 518.22 - 1000) * 0.1 - 25) / 0.9
        QCOMPARE(d.results(), (QStringList{"3002.42", "123.42", "2879", "2360.78"}));
    }

    void switchingDirectionLeavesResults()
    {
        FormDriver d;
        d.enterWithFixedFunds(QStringLiteral("3000"), QStringLiteral("300"), QStringLiteral("0"));
        d.click(QStringLiteral("CmdExe"));
        d.chooseDirection(1);
        QCOMPARE(d.results(), (QStringList{"3000", "145", "2855", "2555"}));
    }

    // Mended: below the threshold no row matches, so the rate and deduction are zero instead of
    // those of the earlier calculation.
    void salaryBelowThresholdOwesNoTax()
    {
        FormDriver d;
        d.enterWithFixedFunds(QStringLiteral("3000"), QStringLiteral("300"), QStringLiteral("0"));
        d.click(QStringLiteral("CmdExe"));
        d.enterWithFixedFunds(QStringLiteral("900"), QStringLiteral("300"), QStringLiteral("500"));
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.results(), (QStringList{"900", "0", "900", "1100"}));
        QCOMPARE(d.form().state().mRate, 0.0);
    }

    void figureBeyondSingleRangeIsRefused()
    {
        FormDriver d;
        d.enterWithFixedFunds(QStringLiteral("3e38"), QStringLiteral("1"), QStringLiteral("0"));
        d.chooseDirection(1);
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.messages().shown, QStringList{"数值太大，无法计算！"});
        QCOMPARE(d.results(), (QStringList{"0", "0", "0", "0"}));
    }

    // One key press, one calculation: the question is asked exactly once per Enter.
    void enterComputesOnce_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        // clang-format off
        QTest::newRow("Return in salary") << "TxtSQ" << int(Qt::Key_Return) << 0;
        QTest::newRow("keypad Enter in salary") << "TxtSQ" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("shift Return in salary") << "TxtSQ" << int(Qt::Key_Return) << int(Qt::ShiftModifier);
        QTest::newRow("Return in subsidy") << "TxtAdd" << int(Qt::Key_Return) << 0;
        QTest::newRow("ctrl Enter in subsidy") << "TxtAdd" << int(Qt::Key_Enter) << int(Qt::ControlModifier | Qt::KeypadModifier);
        // clang-format on
    }
    void enterComputesOnce()
    {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        FormDriver d;
        d.form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
        d.enterWithFixedFunds(QStringLiteral("3000"), QStringLiteral("0"), QStringLiteral("0"));
        d.messages().scriptAnswers({false});
        QWidget* target = d.control(box);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(d.messages().shown, QStringList{"您的三金为0，需要立刻按照当前方式计算吗？"});
        QCOMPARE(d.messages().unexpectedQuestions, 0);
        QCOMPARE(d.results(), (QStringList{"3000", "175", "2825", "2825"}));
    }

    void enterElsewhereComputesNothing()
    {
        FormDriver d;
        d.form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
        d.enterWithFixedFunds(QStringLiteral("3000"), QStringLiteral("300"), QStringLiteral("0"));
        for (const QString& name : {QStringLiteral("Txt3J"), QStringLiteral("TxtSQ2"),
                                    QStringLiteral("CmdReset"), QStringLiteral("cmbIfSQ")}) {
            QWidget* target = d.control(name);
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Return);
        }
        QCOMPARE(d.results(), (QStringList{"0", "0", "0", "0"}));
    }

    void enterOnAFocusedButtonPressesIt()
    {
        FormDriver d;
        d.form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
        d.enterWithFixedFunds(QStringLiteral("3000"), QStringLiteral("300"), QStringLiteral("0"));
        QWidget* compute = d.control(QStringLiteral("CmdExe"));
        compute->setFocus();
        QTest::keyClick(compute, Qt::Key_Return);
        QCOMPARE(d.results(), (QStringList{"3000", "145", "2855", "2555"}));
    }

    void enterOnTheWindowItselfComputes()
    {
        FormDriver d;
        d.enterWithFixedFunds(QStringLiteral("3000"), QStringLiteral("300"), QStringLiteral("0"));
        if (QWidget* focused = d.form().focusWidget())
            focused->clearFocus();
        QTest::keyClick(&d.form(), Qt::Key_Enter);
        QCOMPARE(d.results(), (QStringList{"3000", "145", "2855", "2555"}));
    }
};

QTEST_MAIN(TestCompute)
#include "test_compute.moc"
