// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner's result pages as a user meets them: each one built when first shown, left
// behind while out of sight, and current again whenever it comes back into sight.
#include "law/comparison.h"
#include "law/inverse.h"
#include "law/package_split.h"
#include "tests/law/law_test_support.h"
#include "tests/year/year_driver.h"
#include "year/amount_text.h"
#include "year/pages/best_split_page.h"
#include "year/pages/bonus_page.h"
#include "year/pages/compare_page.h"
#include "year/pages/history_page.h"
#include "year/pages/month_chart.h"
#include "year/pages/payslip_page.h"
#include "year/pages/reconciliation_page.h"
#include "year/pages/take_home_page.h"
#include "year/pages/year_table_page.h"

#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

using namespace tallyra;
using law::Money;
using law_test::M;

namespace {

QString Cells(const QTableWidget* table, int column)
{
    QStringList cells;
    for (int r = 0; r < table->rowCount(); ++r)
        if (const QTableWidgetItem* item = table->item(r, column))
            cells << item->text();
    return cells.join(QLatin1Char('|'));
}

// What a page shows, as text: the figures a user reads there.
QString PageText(test::YearDriver& d, int page)
{
    year::ResultTabs& tabs = *d.window().tabs();
    QApplication::processEvents(); // the month's explanation is written once the page is drawn
    switch (page) {
    case 0:
        return d.control<QTextBrowser>("monthExplanation")->toPlainText();
    case 1: {
        QStringList values;
        for (const qreal v : tabs.builtPage<year::MonthChart>()->taxValues())
            values << QString::number(v, 'f', 2);
        return values.join(QLatin1Char('|'));
    }
    case 2:
        return tabs.builtPage<year::BonusPage>()->toPlainText();
    case 3:
        return tabs.builtPage<year::ReconciliationPage>()->toPlainText();
    case 4:
        return Cells(d.control<QTableWidget>("takeHomeTable"), 1);
    case 5:
        return Cells(d.control<QTableWidget>("historyTable"), 2);
    case 6:
        return Cells(tabs.builtPage<year::ComparePage>()->table(), 0);
    case 7:
        return d.control<QTextBrowser>("bestSplitView")->toPlainText();
    default:
        return tabs.builtPage<year::PayslipPage>()->payslip()->text;
    }
}

// A figure of the engine's year that the page must show for these inputs.
QString EngineFigure(const law::YearPlanInput& in, int page)
{
    const law::YearPlan plan = law::PlanYear(in);
    const law::MonthPlan& january = plan.months[0];
    switch (page) {
    case 0:
        return year::GroupedAmount(january.step.taxableIncome);
    case 1:
        return QString::number(double(january.step.withheld.fen()) / 100, 'f', 2);
    case 2:
        return year::GroupedAmount(plan.bonusComparison->combinedTotal);
    case 3:
        return year::GroupedAmount(plan.reconciliation.taxableIncome);
    case 4:
        return year::GroupedAmount(*law::WagesForTakeHome(in, M("18000"))[0]);
    case 5:
        return year::GroupedAmount(law::SameWageUnderEveryLaw(january.wage,
                                                              january.contributions.employeeTotal(),
                                                              january.special.total())
                                       .back()
                                       .yearTax);
    case 6:
        return year::GroupedAmount(plan.totals.withheld + plan.totals.bonusTax);
    case 7:
        return year::GroupedAmount(law::FindBestSplit(in).best.tax);
    default:
        return year::GroupedAmount(january.step.withheld);
    }
}

} // namespace

class TestYearPages : public QObject {
    Q_OBJECT

private slots:
    // A page built, put out of sight, the inputs changed meanwhile, and brought back: it shows
    // the year of the inputs as they are now, not as they were when it was last seen.
    void aPageIsCurrentWhenShownAgain_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("month table") << 0;
        QTest::newRow("chart") << 1;
        QTest::newRow("bonus") << 2;
        QTest::newRow("reconciliation") << 3;
        QTest::newRow("take-home") << 4;
        QTest::newRow("history") << 5;
        QTest::newRow("profiles compared") << 6;
        QTest::newRow("best split") << 7;
        QTest::newRow("payslip") << 8;
    }
    void aPageIsCurrentWhenShownAgain()
    {
        QFETCH(int, page);
        test::YearDriver d;
        d.enterRealisticYear();
        year::ResultTabs& tabs = *d.window().tabs();
        tabs.setCurrentIndex(4);
        d.type(QStringLiteral("takeHomeEdit"), QStringLiteral("18000"));
        tabs.setCurrentIndex(page);
        const QString before = EngineFigure(d.window().inputs()->plan, page);
        QVERIFY2(PageText(d, page).contains(before), qPrintable(PageText(d, page)));

        tabs.setCurrentIndex((page + 1) % tabs.count());
        d.setCount(QStringLiteral("childrenSpin"), 0); // 2,000 a month less deducted
        const QString after = EngineFigure(d.window().inputs()->plan, page);
        QVERIFY2(after != before, qPrintable(after));

        tabs.setCurrentIndex(page);
        const QString shown = PageText(d, page);
        QVERIFY2(shown.contains(after), qPrintable(after + QLatin1String(" in ") + shown));
        QVERIFY2(!shown.contains(before), qPrintable(before + QLatin1String(" in ") + shown));
    }

    // The pages are built as they are first shown, and not before: a start shows the table only.
    void pagesAreBuiltWhenFirstShown()
    {
        test::YearDriver d;
        year::ResultTabs& tabs = *d.window().tabs();
        QVERIFY(tabs.builtPage<year::YearTablePage>());
        QVERIFY(!tabs.builtPage<year::MonthChart>());
        QVERIFY(!tabs.builtPage<year::HistoryPage>());
        QVERIFY(d.window().findChildren<QTextBrowser*>(QStringLiteral("bonusView")).isEmpty());
        QTest::keyClick(&d.window(), Qt::Key_3, Qt::ControlModifier);
        QVERIFY(tabs.builtPage<year::BonusPage>());
        QVERIFY(tabs.builtPage<year::BonusPage>()->isVisible());
        QVERIFY(!tabs.builtPage<year::MonthChart>());
    }

    // The menu "查看" has an entry for each tab, with its caption, in the order of the tabs;
    // below them, the input form's switch and the table's contribution items.
    void theViewMenuFollowsTheTabs()
    {
        test::YearDriver d;
        year::ResultTabs& tabs = *d.window().tabs();
        QMenu* view = nullptr;
        for (QAction* menu : d.window().menuBar()->actions())
            if (menu->text().startsWith(QStringLiteral("查看")))
                view = menu->menu();
        QVERIFY(view);
        QCOMPARE(view->actions().size(), tabs.count() + 3);
        QVERIFY(view->actions()[tabs.count()]->isSeparator());
        QCOMPARE(view->actions()[tabs.count() + 1]->objectName(), QStringLiteral("formPaneAction"));
        QCOMPARE(view->actions().last()->objectName(), QStringLiteral("itemColumnsAction"));
        for (int i = 0; i < tabs.count(); ++i) {
            QCOMPARE(view->actions()[i]->text(),
                     QStringLiteral("%1(&%2)").arg(tabs.tabText(i)).arg(i + 1));
            view->actions()[i]->trigger();
            QCOMPARE(tabs.currentIndex(), i);
        }
    }
};

QTEST_MAIN(TestYearPages)
#include "test_year_pages.moc"
