// SPDX-License-Identifier: GPL-3.0-or-later
// The questions people bring to the planner, asked through its window: the best split of the
// year's pay, amounts typed in 万, the chart's figures under the pointer.
#include "law/year_outcome.h"
#include "tests/law/law_test_support.h"
#include "tests/year/year_driver.h"
#include "year/amount_text.h"
#include "year/help_guide.h"
#include "year/pages/best_split_page.h"
#include "year/pages/compare_page.h"
#include "year/pages/gross_chart.h"
#include "year/pages/month_chart.h"
#include "year/pages/payslip_page.h"
#include "year/pages/reconciliation_page.h"
#include "year/pages/take_home_page.h"
#include "year/pages/year_table_model.h"
#include "year/planner_colours.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QtCharts/QValueAxis>
#include <QTest>
#include <QTextBrowser>

#include <map>

using namespace tallyra;
using law::Money;
using law_test::M;

namespace {

QString PageText(test::YearDriver& d)
{
    d.showPageOf(d.window().tabs()->page<year::BestSplitPage>());
    return d.control<QTextBrowser>(QStringLiteral("bestSplitView"))->toPlainText();
}

} // namespace

class TestYearQuestions : public QObject {
    Q_OBJECT

private slots:
    // The realistic year, worked by hand: 25,000 a month and 60,000 in December are 360,000.
    // At 27,000 a month the contributions are 8 % + 2 % + 0.5 % + 7 % = 4,725 a month, 56,700
    // a year; the wages' taxable income 324,000 − 60,000 − 56,700 − 60,000 (two children, the
    // loan) = 147,300 at 20 % − 16,920 = 12,540, the bonus 36,000 ÷ 12 = 3,000 at 3 % = 1,080:
    // 13,620 against today's 16,020. Take-home 360,000 − 56,700 − 13,620 = 289,680.
    void findsAndAppliesTheBestSplit()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        const QString text = PageText(d);
        QVERIFY2(text.contains(QStringLiteral(
                     "最优分配：每月工资 27,000.00 元，年终奖 36,000.00 元（单独计税），"
                     "全年个税 13,620.00 元，比现在少缴 2,400.00 元。")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("全年税前收入 360,000.00 元（12 个月工资与年终奖）")));
        // The runner-up with the bonus one row up, and the working's last line.
        QVERIFY2(text.contains(QStringLiteral("26,666.66")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("40,000.08")));
        QVERIFY(text.contains(QStringLiteral("289,680.00")));
        QVERIFY(text.contains(QStringLiteral("年度汇算")) || text.contains(QStringLiteral("汇算")));

        auto* apply = d.control<QPushButton>(QStringLiteral("applyBestSplitButton"));
        QVERIFY(apply->isEnabled());
        apply->click();
        QCOMPARE(d.control<QLineEdit>(QStringLiteral("wageEdit"))->text(), QStringLiteral("27000"));
        QCOMPARE(d.control<QLineEdit>(QStringLiteral("bonusEdit"))->text(),
                 QStringLiteral("36000"));
        QVERIFY(d.control<QRadioButton>(QStringLiteral("bonusSeparateOption"))->isChecked());
        const law::YearPlan& plan = *d.window().plan();
        QCOMPARE(plan.reconciliation.totalTax, M("13620"));
        QVERIFY(d.window().statusBar()->currentMessage().contains(QStringLiteral("27,000.00")));
        // Applied, today's split is the best: nothing more to apply.
        QVERIFY(
            PageText(d).contains(QStringLiteral("现在的分配已是税最少的：全年个税 13,620.00 元")));
        QVERIFY(!apply->isEnabled());
    }

    // Wages edited month by month in the table are today's split as they are; the best split
    // puts one wage in every month and clears the edits.
    void appliesOverWagesEditedInTheTable()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.window().tabs()->page<year::BestSplitPage>();
        PlannerEdit(d);
        const QString text = PageText(d);
        QVERIFY2(text.contains(QStringLiteral("各月不同")), qPrintable(text));
        d.control<QPushButton>(QStringLiteral("applyBestSplitButton"))->click();
        const law::YearPlanInput& applied = d.window().inputs()->plan;
        for (int m = 2; m <= 12; ++m)
            QCOMPARE(applied.wages[m - 1], applied.wages[0]);
        QCOMPARE(applied.wages[0].times(12) + applied.bonus, M("365000"));
    }

    void saysWhyThereIsNoSplit_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("says");
        QTest::newRow("refused wage") << "wageEdit"
                                      << "abc"
                                      << "左侧输入有误";
        QTest::newRow("nothing to split") << "wageEdit"
                                          << "0"
                                          << "没有工资和年终奖可以分配";
    }
    void saysWhyThereIsNoSplit()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, says);
        test::YearDriver d;
        d.type(QStringLiteral("bonusEdit"), QStringLiteral("0"));
        d.type(box, text);
        QVERIFY2(PageText(d).contains(says), qPrintable(PageText(d)));
        QVERIFY(!d.control<QPushButton>(QStringLiteral("applyBestSplitButton"))->isEnabled());
    }

    // "1.8万" as people say a salary, in the boxes of the form and of the pages.
    void readsAmountsInTenThousands_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("yuan");
        QTest::newRow("wage") << "wageEdit"
                              << "2.5万"
                              << "25000";
        QTest::newRow("bonus, full-width") << "bonusEdit"
                                           << "６万"
                                           << "60000";
        QTest::newRow("contribution cap") << "socialCapEdit"
                                          << "3.7302万"
                                          << "37302";
        QTest::newRow("other income") << "otherIncomeEdit"
                                      << "0.25 万"
                                      << "2500";
    }
    void readsAmountsInTenThousands()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, yuan);
        test::YearDriver d;
        d.type(box, text);
        QVERIFY2(d.hint(box).isEmpty(), qPrintable(d.hint(box)));
        const law::YearPlanInput& in = d.window().inputs()->plan;
        const Money expected = M(yuan.toStdString());
        const std::map<QString, Money> read = {
            {QStringLiteral("wageEdit"), in.wages[0]},
            {QStringLiteral("bonusEdit"), in.bonus},
            {QStringLiteral("socialCapEdit"), in.contributions.socialInsuranceBase.cap},
            {QStringLiteral("otherIncomeEdit"), in.otherIncome}};
        QCOMPARE(read.at(box), expected);
    }

    void findsATakeHomeTypedInTenThousands()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.showPageOf(d.window().tabs()->page<year::TakeHomePage>());
        d.type(QStringLiteral("takeHomeEdit"), QStringLiteral("1.8万"));
        const auto expected = law::WagesForTakeHome(d.window().inputs()->plan, M("18000"));
        QCOMPARE(d.window().tabs()->page<year::TakeHomePage>()->wages(), expected);
    }

    // The pointer on a bar and on a point of the chart: the month's exact figure; both axes
    // start at 0.
    void chartShowsTheFigureUnderThePointer()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.window().tabs()->setCurrentPage<year::MonthChart>();
        auto* chart = d.window().tabs()->page<year::MonthChart>();
        QVERIFY(QTest::qWaitForWindowExposed(&d.window()));
        const law::YearPlan& plan = *d.window().plan();
        for (QAbstractAxis* axis : chart->chart()->axes(Qt::Vertical))
            QCOMPARE(static_cast<QValueAxis*>(axis)->min(), 0.0);
        const QList<QAbstractSeries*> series = chart->chart()->series();
        auto pointAt = [&](QPointF value, QAbstractSeries* on) {
            return chart->mapFromScene(chart->chart()->mapToPosition(value, on));
        };
        // Half way up March's bar.
        const double marchTax = double(plan.months[2].step.withheld.fen()) / 100;
        QTest::mouseMove(chart->viewport(), pointAt({2, marchTax / 2}, series[0]));
        QTRY_COMPARE(chart->hovered(), QStringLiteral("3月 预扣税 %1 元")
                                           .arg(year::GroupedAmount(plan.months[2].step.withheld)));
        // Away from the bars, then onto November's point.
        QTest::mouseMove(chart->viewport(), QPoint(2, 2));
        QTRY_VERIFY(chart->hovered().isEmpty());
        const double novemberHome = double(plan.months[10].wageTakeHome.fen()) / 100;
        QTest::mouseMove(chart->viewport(), pointAt({10, novemberHome}, series[1]));
        QTRY_COMPARE(chart->hovered(), QStringLiteral("11月 工资到手 %1 元")
                                           .arg(year::GroupedAmount(plan.months[10].wageTakeHome)));
    }

    // One wage for every month: its year's take-home after the reconciliation reaches 12 ×
    // 18,000 and a fen less does not; the month-by-month answer stays beside it.
    void findsOneWageForATakeHome()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        auto* page = d.window().tabs()->page<year::TakeHomePage>();
        d.showPageOf(page);
        d.type(QStringLiteral("takeHomeEdit"), QStringLiteral("18000"));
        QVERIFY(page->oneWage());
        const Money wage = *page->oneWage();
        const QString summary = d.control<QLabel>(QStringLiteral("oneWageSummary"))->text();
        QVERIFY2(summary.contains(year::GroupedAmount(wage)), qPrintable(summary));
        QVERIFY(d.control<QLabel>(QStringLiteral("takeHomeSummary"))
                    ->text()
                    .contains(QStringLiteral("升到")));

        d.control<QPushButton>(QStringLiteral("applyOneWageButton"))->click();
        const law::YearPlanInput applied = d.window().inputs()->plan;
        for (int m = 1; m <= 12; ++m)
            QCOMPARE(applied.wages[m - 1], wage);
        QCOMPARE(applied.bonus, M("60000"));
        const Money year = law::WageTakeHomeAfterReconciliation(*d.window().plan());
        QVERIFY2(year >= M("216000"), qPrintable(year::GroupedAmount(year)));
        QVERIFY(summary.contains(year::GroupedAmount(year)));
        law::YearPlanInput lower = applied;
        lower.wages.fill(wage - Money::Fen(1));
        QVERIFY(law::WageTakeHomeAfterReconciliation(law::PlanYear(lower)) < M("216000"));
    }

    // The realistic year's take-home after the reconciliation, worked by hand: contributions
    // 17.5 % of 25,000 = 4,375 a month, 52,500 a year. Separate: the wages' taxable 300,000 −
    // 60,000 − 52,500 − 60,000 = 127,500 at 10 % − 2,520 = 10,230, the bonus 60,000 ÷ 12 =
    // 5,000 at 10 % − 210 = 5,790: 16,020, take-home 360,000 − 52,500 − 16,020 = 291,480.
    // Combined: 187,500 at 20 % − 16,920 = 20,580, take-home 286,920; moving the bonus to the
    // separate treatment at the reconciliation saves 4,560.
    void statusBarCountsTheReconciliation()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        QVERIFY2(d.window().summary().contains(QStringLiteral("全年到手（汇算后）291,480.00 元")),
                 qPrintable(d.window().summary()));
        d.setChecked(QStringLiteral("bonusCombinedOption"), true);
        QVERIFY2(d.window().summary().contains(QStringLiteral("全年到手（汇算后）286,920.00 元")),
                 qPrintable(d.window().summary()));
        d.window().tabs()->setCurrentPage<year::ReconciliationPage>();
        const QString text =
            d.control<QTextBrowser>(QStringLiteral("reconciliationView"))->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("提示：汇算时把年终奖改为单独计税，全年应纳税额 "
                                              "16,020.00 元，比现在少缴 4,560.00 元。")),
                 qPrintable(text));
        d.setChecked(QStringLiteral("bonusSeparateOption"), true);
        QVERIFY(d.control<QTextBrowser>(QStringLiteral("reconciliationView"))
                    ->toPlainText()
                    .contains(QStringLiteral("汇算时把年终奖改为并入综合所得不会更省")));
    }

    // A bonus of 36,001 taxed on its own: 36,001 ÷ 12 is in the 10 % row, 3,390.10 of tax
    // against 1,080 on 36,000; it takes home 32,610.90 against 34,920, 2,309.10 less.
    void marksABonusInsideACliff()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.type(QStringLiteral("bonusEdit"), QStringLiteral("36001"));
        QVERIFY2(d.window().summary().contains(
                     QStringLiteral("⚠ 年终奖多发少得：比只发 36,000 元少到手 2,309.10 元")),
                 qPrintable(d.window().summary()));
        const QModelIndex cell = d.window().model()->index(11, year::YearTableModel::BonusTax);
        QVERIFY(
            cell.data(Qt::ToolTipRole).toString().contains(QStringLiteral("少到手 2,309.10 元")));
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(),
                 year::WarningText(d.window().palette()));
        QVERIFY(!d.window()
                     .model()
                     ->index(10, year::YearTableModel::BonusTax)
                     .data(Qt::ForegroundRole)
                     .isValid());
        d.type(QStringLiteral("bonusEdit"), QStringLiteral("36000"));
        QVERIFY(!d.window().summary().contains(QStringLiteral("多发少得")));
        QVERIFY(!cell.data(Qt::ForegroundRole).isValid());
    }

    // Three offers, worked by hand (2026, no bonus, no deduction beyond the basic one, bases
    // the wage): 10,000 with 7 % fund, employee contributions 17.5 % = 1,750, taxable 3,250 a
    // month, 39,000 a year at 10 % − 2,520 = 1,380; take-home 120,000 − 21,000 − 1,380 =
    // 97,620, fund 700 × 2 × 12 = 16,800. Offer A, 12,000 with 5 %: 1,860, taxable 61,680 →
    // 3,648; take-home 118,032, fund 14,400. Offer B, 11,500 with 12 %: 2,587.50, taxable
    // 46,950 → 2,175; take-home 104,775, fund 33,120. A takes home 13,257 more than B, but
    // with the fund B is 5,463 ahead.
    void comparesThreeOffersWithTheHousingFund()
    {
        auto offer = [](const char* wage, int fundRate) {
            year::PlannerInputs in = year::DefaultInputs(2026);
            in.wage = M(wage);
            year::SpreadWage(in);
            in.plan.contributions.employee.housingFund = fundRate;
            in.plan.contributions.employer.housingFund = fundRate;
            return in;
        };
        const std::map<QString, year::PlannerInputs> stored = {
            {QStringLiteral("offer A"), offer("12000", 500)},
            {QStringLiteral("offer B"), offer("11500", 1200)}};
        year::ComparePage page([&](const QString& name) -> std::optional<year::PlannerInputs> {
            const auto found = stored.find(name);
            return found == stored.end() ? std::nullopt : std::optional(found->second);
        });
        page.setProfiles({QStringLiteral("offer A"), QStringLiteral("offer B")});
        year::PlannerState state;
        state.inputs = offer("10000", 700);
        page.refresh(state);
        page.choose(
            {QStringLiteral("（当前输入）"), QStringLiteral("offer A"), QStringLiteral("offer B")});
        QTableWidget* table = page.table();
        QCOMPARE(table->columnCount(), 5); // three offers, two differences from the first
        QCOMPARE(table->horizontalHeaderItem(4)->text(), QStringLiteral("方案三 − 方案一"));
        auto row = [&](const QString& caption) {
            for (int r = 0; r < table->rowCount(); ++r)
                if (table->verticalHeaderItem(r)->text() == caption)
                    return r;
            return -1;
        };
        auto shown = [&](const QString& caption) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(row(caption), c)->text();
            return cells.join(QLatin1Char(' '));
        };
        QCOMPARE(shown(QStringLiteral("汇算后全年到手")),
                 QStringLiteral("97,620.00 118,032.00 104,775.00 20,412.00 7,155.00"));
        QCOMPARE(shown(QStringLiteral("公积金（个人 + 单位）")),
                 QStringLiteral("16,800.00 14,400.00 33,120.00 -2,400.00 16,320.00"));
        QCOMPARE(shown(QStringLiteral("含公积金的全年收入")),
                 QStringLiteral("114,420.00 132,432.00 137,895.00 18,012.00 23,475.00"));
        // Month by month: January 10,000 − 1,750 − 97.50; December 1,380 − 11 × 97.50 =
        // 307.50 withheld.
        QCOMPARE(page.monthTable()->columnCount(), 3);
        QCOMPARE(page.monthTable()->item(0, 0)->text(), QStringLiteral("8,152.50"));
        QCOMPARE(page.monthTable()->item(11, 0)->text(), QStringLiteral("7,942.50"));
        // Back to two offers: the table of two, as before.
        page.choose(QStringLiteral("offer A"), QStringLiteral("offer B"));
        page.choose({QStringLiteral("offer A"), QStringLiteral("offer B")});
        QCOMPARE(table->columnCount(), 3);
        QCOMPARE(shown(QStringLiteral("含公积金的全年收入")),
                 QStringLiteral("132,432.00 137,895.00 5,463.00"));
    }

    // The realistic year's March, worked by hand: contributions on 25,000: 8 % 2,000, 2 % 500,
    // 0.5 % 125, fund 7 % 1,750, 4,375 in all; deductions two children 4,000 and the loan
    // 1,000; taxable 25,000 − 5,000 − 4,375 − 5,000 = 10,625 a month, 31,875 by March at 3 %
    // = 956.25 less 637.50 withheld before: 318.75; paid out 20,306.25. December adds the
    // bonus 60,000 with its own 5,790 and withholds 10,230 − 9,167.50 = 1,062.50: 73,772.50.
    void writesAPayslip()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        auto* page = d.window().tabs()->page<year::PayslipPage>();
        d.showPageOf(page);
        page->setMonth(3);
        const QStringList march = {QStringLiteral("2026年3月工资条"),
                                   QStringLiteral("应发工资\t25,000.00"),
                                   QStringLiteral("个人缴费（从工资中扣）"),
                                   QStringLiteral("　养老保险（25,000.00 × 8%）\t2,000.00"),
                                   QStringLiteral("　医疗保险（25,000.00 × 2%）\t500.00"),
                                   QStringLiteral("　失业保险（25,000.00 × 0.5%）\t125.00"),
                                   QStringLiteral("　住房公积金（25,000.00 × 7%）\t1,750.00"),
                                   QStringLiteral("　个人缴费合计\t4,375.00"),
                                   QStringLiteral("本月计入的专项附加扣除"),
                                   QStringLiteral("　子女教育\t4,000.00"),
                                   QStringLiteral("　住房\t1,000.00"),
                                   QStringLiteral("本月预扣个税（累计预扣法）\t318.75"),
                                   QStringLiteral("实发金额\t20,306.25")};
        QCOMPARE(page->payslip()->text, march.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        // Where the 25,000 goes, slice by slice.
        QCOMPARE(page->chart()->sliceLabels(),
                 QStringList({QStringLiteral("实发 20,306.25"), QStringLiteral("个税 318.75"),
                              QStringLiteral("养老保险 2,000.00"),
                              QStringLiteral("医疗保险 500.00"), QStringLiteral("失业保险 125.00"),
                              QStringLiteral("住房公积金 1,750.00")}));
        // Ctrl+C on the page copies it whole.
        QApplication::clipboard()->clear();
        page->setFocus();
        QTest::keyClick(d.control<QTextBrowser>(QStringLiteral("payslipView")), Qt::Key_C,
                        Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), page->payslip()->text);

        page->setMonth(12);
        const QString december = page->payslip()->text;
        QVERIFY2(december.contains(QStringLiteral("年终奖\t60,000.00\n")), qPrintable(december));
        QVERIFY(december.contains(QStringLiteral("本月预扣个税（累计预扣法）\t1,062.50")));
        QVERIFY(december.contains(QStringLiteral("年终奖个税（单独计税）\t5,790.00")));
        QVERIFY(december.endsWith(QStringLiteral("实发金额\t73,772.50\n")));

        // A month before the first one employed has none.
        d.choose(QStringLiteral("firstMonthBox"), 6);
        page->setMonth(3);
        QVERIFY(!page->payslip());
        QVERIFY(!d.control<QPushButton>(QStringLiteral("copyPayslipButton"))->isEnabled());
        QVERIFY(d.control<QTextBrowser>(QStringLiteral("payslipView"))
                    ->toPlainText()
                    .contains(QStringLiteral("3月尚未入职")));
    }

    // F1 opens the guide beside the window: every page with what it answers and its keys.
    void guideTellsWhatEachPageAnswers()
    {
        test::YearDriver d;
        QTest::keyClick(&d.window(), Qt::Key_F1);
        auto* guide = d.control<QDialog>(QStringLiteral("guideDialog"));
        QTRY_VERIFY(guide->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        const QString text = d.control<QTextBrowser>(QStringLiteral("guideView"))->toPlainText();
        const QStringList pages = d.window().tabs()->captions();
        QCOMPARE(pages.size(), 9);
        for (int i = 0; i < pages.size(); ++i) {
            QVERIFY2(!year::PageAnswer(pages[i]).isEmpty(), qPrintable(pages[i]));
            QVERIFY(text.contains(QStringLiteral("%1（Ctrl+%2）").arg(pages[i]).arg(i + 1)));
            QVERIFY(text.contains(year::PageAnswer(pages[i])));
        }
        QVERIFY(text.contains(QStringLiteral("1.8万")));
        guide->close();
    }

    // The contributions item by item: hidden at first, shown from the 查看 menu, each the
    // realistic year's base 25,000 × its rate; the totals row the year's sum.
    void showsEachContributionItem()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        QTableView* table = d.control<QTableView>(QStringLiteral("yearTable"));
        using Model = year::YearTableModel;
        QVERIFY(table->isColumnHidden(Model::Pension));
        QVERIFY(!table->isColumnHidden(Model::EmployerCost));
        d.control<QAction>(QStringLiteral("itemColumnsAction"))->trigger();
        const std::pair<int, const char*> expected[] = {{Model::Pension, "2,000.00"},
                                                        {Model::Medical, "500.00"},
                                                        {Model::Unemployment, "125.00"},
                                                        {Model::Fund, "1,750.00"},
                                                        {Model::EmployerPension, "4,000.00"},
                                                        {Model::EmployerMedical, "1,500.00"},
                                                        {Model::EmployerUnemployment, "125.00"},
                                                        {Model::EmployerInjury, "50.00"},
                                                        {Model::EmployerFund, "1,750.00"}};
        for (const auto& [column, figure] : expected) {
            QVERIFY(!table->isColumnHidden(column));
            QVERIFY(table->columnWidth(column) > 0);
            QCOMPARE(d.window().model()->index(0, column).data().toString(), QLatin1String(figure));
        }
        QCOMPARE(d.window().model()->index(Model::kTotalsRow, Model::Pension).data().toString(),
                 QStringLiteral("24,000.00"));
        d.control<QAction>(QStringLiteral("itemColumnsAction"))->trigger();
        QVERIFY(table->isColumnHidden(Model::EmployerFund));
        // The month's explanation lists each item with its base and rate, both sides.
        d.window().tabs()->setCurrentIndex(0);
        table->setCurrentIndex(d.window().model()->index(2, Model::Wage));
        QApplication::processEvents();
        const QString text =
            d.control<QTextBrowser>(QStringLiteral("monthExplanation"))->toPlainText();
        for (const char* line : {"养老保险（25,000.00 × 8%）", "养老保险（25,000.00 × 16%）",
                                 "工伤保险（25,000.00 × 0.2%）", "个人合计", "单位合计"})
            QVERIFY2(text.contains(QString::fromUtf8(line)), line);
    }

private:
    // January's wage typed in the table: 30,000, the rest 25,000.
    static void PlannerEdit(test::YearDriver& d)
    {
        auto* model = d.window().model();
        QVERIFY(model->setData(model->index(0, year::YearTableModel::Wage), QStringLiteral("30000"),
                               Qt::EditRole));
    }
};

QTEST_MAIN(TestYearQuestions)
#include "test_year_questions.moc"
