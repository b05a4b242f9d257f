// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner's window driven as a user does: its figures against the engine's, edits in
// the table, a mid-year start, every deduction item and cap, the bonus, the reconciliation,
// after-tax → pre-tax, and refused inputs.
#include "law/bonus.h"
#include "tests/law/law_test_support.h"
#include "tests/year/year_driver.h"
#include "year/amount_text.h"
#include "year/pages/take_home_page.h"
#include "year/pages/year_table_model.h"
#include "year/pages/year_table_page.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include <map>

using namespace tallyra;
using law::Money;
using law_test::M;
using Column = year::YearTableModel::Column;

namespace {

Money Q(const QString& text)
{
    return M(text.toStdString());
}

// A cell of the year table as an amount, or none when it shows no figure.
std::optional<Money> Cell(test::YearDriver& d, int month, int column)
{
    const QVariant fen =
        d.window().model()->index(month - 1, column).data(year::YearTableModel::FenRole);
    return fen.isValid() ? std::optional(Money::Fen(fen.toLongLong())) : std::nullopt;
}

QString Shown(test::YearDriver& d, int month, int column)
{
    return d.window().model()->index(month - 1, column).data().toString();
}

// The text of a page, shown first as a user brings it up (pages not shown are left to then).
QString Text(test::YearDriver& d, const char* view)
{
    // The pages are built as they are first shown.
    const std::map<QString, int> pages = {{QStringLiteral("monthExplanation"), 0},
                                          {QStringLiteral("bonusView"), 2},
                                          {QStringLiteral("reconciliationView"), 3}};
    d.window().tabs()->setCurrentIndex(pages.at(QLatin1String(view)));
    QApplication::processEvents(); // the explanation is written once the window has been drawn
    return d.control<QTextBrowser>(QLatin1String(view))->toPlainText();
}

// The realistic year as the engine takes it, built here without the form.
law::YearPlanInput RealisticYear()
{
    law::YearPlanInput in;
    in.year = 2026;
    in.wages.fill(M("25000"));
    in.contributions.socialInsuranceBase = {std::nullopt, M("7460"), M("37302")};
    in.contributions.housingFundBase = {std::nullopt, M("2690"), M("37302")};
    in.special.childrenInEducation = 2;
    in.special.housing = law::Housing::Loan;
    in.bonus = M("60000");
    in.bonusMonth = 12;
    return in;
}

// Every figure of the table against the engine's plan of the same year.
void CompareWithEngine(test::YearDriver& d, const law::YearPlan& plan)
{
    for (int m = 1; m <= 12; ++m) {
        const law::MonthPlan& p = plan.months[m - 1];
        if (!p.employed) {
            for (int c = Column::Wage; c < Column::ColumnCount; ++c)
                QCOMPARE(Cell(d, m, c), std::nullopt);
            continue;
        }
        QCOMPARE(Cell(d, m, Column::Wage), std::optional(p.wage));
        QCOMPARE(Cell(d, m, Column::Contributions), std::optional(p.contributions.employeeTotal()));
        QCOMPARE(Cell(d, m, Column::CumulativeTaxable), std::optional(p.step.taxableIncome));
        QCOMPARE(Cell(d, m, Column::Withheld), std::optional(p.step.withheld));
        QCOMPARE(Cell(d, m, Column::BonusTax), std::optional(p.bonusTax));
        QCOMPARE(Cell(d, m, Column::TakeHome), std::optional(p.takeHome));
        QCOMPARE(Cell(d, m, Column::EmployerCost), std::optional(p.employerCost));
        QCOMPARE(Shown(d, m, Column::Withheld), year::GroupedAmount(p.step.withheld));
        QCOMPARE(
            Shown(d, m, Column::Rate).startsWith(QString::number(p.step.bracket.ratePercent) + "%"),
            true);
    }
    QCOMPARE(Cell(d, 13, Column::Withheld), std::optional(plan.totals.withheld));
    QCOMPARE(Cell(d, 13, Column::TakeHome), std::optional(plan.totals.takeHome));
    QCOMPARE(Cell(d, 13, Column::EmployerCost), std::optional(plan.totals.employerCost));
}

} // namespace

class TestYearWindow : public QObject {
    Q_OBJECT

private slots:
    void showsItsTitleAndTheCurrentYear()
    {
        test::YearDriver d;
        QCOMPARE(d.window().windowTitle(), QStringLiteral("年度个税计算 — Tallyra"));
        QCOMPARE(d.control<QComboBox>("yearBox")->currentData().toInt(), 2026);
        // From 2019 to beyond the end of the bonus rule (2027-12-31): at least to 2029.
        auto* years = d.control<QComboBox>("yearBox");
        QCOMPARE(years->itemData(0).toInt(), 2019);
        QVERIFY(years->itemData(years->count() - 1).toInt() >= 2029);
        QCOMPARE(years->count(), years->itemData(years->count() - 1).toInt() - 2019 + 1);
    }

    // 10,000 a month with 17.5 % of contributions: 3,250 a month taxable; 36,000 is passed in
    // December, which steps up to 10 %: 39,000 × 10 % − 2,520 = 1,380 in the year.
    void defaultsGiveTheEngineFigures()
    {
        test::YearDriver d;
        CompareWithEngine(d, law::PlanYear(year::DefaultInputs(2026).plan));
        QCOMPARE(Shown(d, 1, Column::Withheld), QStringLiteral("97.50"));
        QCOMPARE(Shown(d, 12, Column::Rate), QStringLiteral("10% ↑"));
        QCOMPARE(Shown(d, 13, Column::Withheld), QStringLiteral("1,380.00"));
        QVERIFY(d.window().summary().contains(QStringLiteral("全年预扣个税 1,380.00 元")));
        QVERIFY(d.messages().shown.isEmpty());
    }

    void realisticYearGivesTheEngineFigures()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        const law::YearPlan plan = law::PlanYear(RealisticYear());
        CompareWithEngine(d, plan);
        QCOMPARE(Shown(d, 4, Column::Withheld), QStringLiteral("773.75"));
        QCOMPARE(Shown(d, 12, Column::BonusTax), QStringLiteral("5,790.00"));
        // The rate steps up in April only, and the month says so to a screen reader too.
        for (int m = 1; m <= 12; ++m)
            QCOMPARE(Shown(d, m, Column::Rate).endsWith(QStringLiteral("↑")), m == 4);
        const QModelIndex april = d.window().model()->index(3, Column::Withheld);
        QCOMPARE(april.data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("4月 本月预扣税 773.75 元"));
    }

    void explainsTheSelectedMonth()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.window().tablePage()->table()->setFocus();
        d.window().tablePage()->selectMonth(1);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(d.window().tablePage()->table(), Qt::Key_Down);
        QCOMPARE(d.window().tablePage()->selectedMonth(), 4);
        const QString text = Text(d, "monthExplanation");
        for (const char* part :
             {"4月预扣预缴税额的计算", "100,000.00", "5,000 元 × 4 个月", "17,500.00", "20,000.00",
              "42,500.00", "第2级（超过 36,000 至 144,000 元）", "预扣率 10%，速算扣除数 2,520",
              "1,730.00", "956.25", "773.75", "由 3% 升至 10%"})
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
    }

    void editsAMonthInTheTable()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        QTableView* table = d.window().tablePage()->table();
        table->setFocus();
        table->setCurrentIndex(d.window().model()->index(2, Column::Wage));
        QTest::keyClick(table, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        static_cast<QLineEdit*>(editor)->selectAll();
        QTest::keyClicks(editor, QStringLiteral("30000"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the delegate commits from the event loop
        law::YearPlanInput in = RealisticYear();
        in.wages[2] = M("30000");
        CompareWithEngine(d, law::PlanYear(in));
        QVERIFY(d.window().inputs()->wageEdited[2]);

        // A text that is no amount is refused with its reason, and nothing changes.
        table->setCurrentIndex(d.window().model()->index(4, Column::Wage));
        QTest::keyClick(table, Qt::Key_F2);
        editor = QApplication::focusWidget();
        static_cast<QLineEdit*>(editor)->selectAll();
        QTest::keyClicks(editor, QStringLiteral("3"));
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QStringLiteral("千"),
                            Qt::NoModifier);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QVERIFY(d.control<QLabel>("wagesFromHint")->text().contains(QStringLiteral("5月工资")));
        CompareWithEngine(d, law::PlanYear(in));

        // From June on: every month from the selected one.
        d.window().tablePage()->selectMonth(6);
        d.type(QStringLiteral("wagesFromEdit"), QStringLiteral("28000"));
        QTest::keyClick(d.control<QLineEdit>("wagesFromEdit"), Qt::Key_Return);
        for (int m = 6; m <= 12; ++m)
            in.wages[m - 1] = M("28000");
        CompareWithEngine(d, law::PlanYear(in));
        // A new wage in the form leaves the edited months as they are; clearing them goes back.
        d.type(QStringLiteral("wageEdit"), QStringLiteral("26000"));
        QCOMPARE(Cell(d, 1, Column::Wage), std::optional(M("26000")));
        QCOMPARE(Cell(d, 3, Column::Wage), std::optional(M("30000")));
        d.control<QPushButton>("clearWageEditsButton")->click();
        for (int m = 1; m <= 12; ++m)
            QCOMPARE(Cell(d, m, Column::Wage), std::optional(M("26000")));
    }

    void startsMidYear()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.choose(QStringLiteral("firstMonthBox"), 7);
        law::YearPlanInput in = RealisticYear();
        in.firstMonthEmployed = 7;
        const law::YearPlan plan = law::PlanYear(in);
        for (int m = 1; m <= 6; ++m) {
            QCOMPARE(Shown(d, m, Column::Wage), QStringLiteral("未入职"));
            QCOMPARE(Cell(d, m, Column::Withheld), std::nullopt);
        }
        CompareWithEngine(d, plan);
        d.window().tablePage()->selectMonth(7);
        QVERIFY(Text(d, "monthExplanation").contains(QStringLiteral("5,000 元 × 1 个月")));
        QVERIFY(Text(d, "reconciliationView").contains(QStringLiteral("年中入职")));
        // The items count for the whole year at the reconciliation unless unticked.
        QCOMPARE(d.window().plan()->reconciliationInput.specialAdditional, M("60000"));
        d.setChecked(QStringLiteral("reconcileWholeYearCheck"), false);
        QCOMPARE(d.window().plan()->reconciliationInput.specialAdditional, M("30000"));
        // A bonus paid before the first month is refused, not dropped.
        d.choose(QStringLiteral("bonusMonthBox"), 3);
        QVERIFY(d.hint(QStringLiteral("bonusEdit")).contains(QStringLiteral("早于入职月份")));
        QVERIFY(!d.window().plan());
    }

    // Each item with the year's legal amount: June's special additional deduction and the
    // year's at the reconciliation; a note where a value is capped or not yet in the law.
    void everyDeductionItem_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("june");
        QTest::addColumn<QString>("reconciled");
        QTest::addColumn<QString>("note");
        // clang-format off
        QTest::newRow("two children 2026") << 2026 << "children 2" << "4000" << "48000" << "";
        QTest::newRow("one child at 50% 2022") << 2022 << "children 1 50" << "500" << "6000" << "";
        QTest::newRow("infant 2023") << 2023 << "infants 1" << "2000" << "24000" << "";
        QTest::newRow("infant 2021 not yet") << 2021 << "infants 1" << "0" << "0" << "尚无此项扣除";
        QTest::newRow("degree") << 2026 << "degree" << "400" << "4800" << "";
        QTest::newRow("certificate in May") << 2026 << "certificate 5" << "0" << "3600" << "";
        QTest::newRow("certificate at reconciliation") << 2026 << "certificate 0" << "0" << "3600" << "";
        QTest::newRow("housing loan 50%") << 2026 << "loan 50" << "500" << "6000" << "";
        QTest::newRow("rent tier 2") << 2026 << "rent 2" << "1100" << "13200" << "";
        QTest::newRow("only child 2026") << 2026 << "elderly only" << "3000" << "36000" << "";
        QTest::newRow("only child 2019") << 2019 << "elderly only" << "2000" << "24000" << "";
        QTest::newRow("elderly share capped") << 2026 << "elderly 2000" << "1500" << "18000" << "按 1,500 元扣除";
        QTest::newRow("serious illness") << 2026 << "illness 20000" << "0" << "5000" << "";
        // clang-format on
    }
    void everyDeductionItem()
    {
        QFETCH(int, year);
        QFETCH(QString, item);
        QFETCH(QString, june);
        QFETCH(QString, reconciled);
        QFETCH(QString, note);
        test::YearDriver d;
        d.type(QStringLiteral("wageEdit"), QStringLiteral("25000"));
        d.choose(QStringLiteral("yearBox"), year);
        const QStringList words = item.split(QLatin1Char(' '));
        const QString what = words[0];
        const int n = words.size() > 1 ? words[1].toInt() : 0;
        QString noted;
        if (what == QLatin1String("children")) {
            d.setCount(QStringLiteral("childrenSpin"), n);
            if (words.size() > 2)
                d.choose(QStringLiteral("childShareBox"), words[2].toInt());
        } else if (what == QLatin1String("infants")) {
            d.setCount(QStringLiteral("infantSpin"), n);
            noted = d.hint(QStringLiteral("infantSpin"));
        } else if (what == QLatin1String("degree")) {
            d.setChecked(QStringLiteral("degreeCheck"), true);
        } else if (what == QLatin1String("certificate")) {
            d.setChecked(QStringLiteral("certificateCheck"), true);
            d.choose(QStringLiteral("certificateMonthBox"), n);
        } else if (what == QLatin1String("loan")) {
            d.choose(QStringLiteral("housingBox"), 1);
            d.choose(QStringLiteral("loanShareBox"), n);
        } else if (what == QLatin1String("rent")) {
            d.choose(QStringLiteral("housingBox"), 2);
            d.choose(QStringLiteral("rentTierBox"), n);
        } else if (what == QLatin1String("elderly")) {
            if (words[1] == QLatin1String("only")) {
                d.choose(QStringLiteral("elderlyBox"), 1);
            } else {
                d.choose(QStringLiteral("elderlyBox"), 2);
                d.type(QStringLiteral("elderlyShareEdit"), words[1]);
                noted = d.hint(QStringLiteral("elderlyBox"));
            }
        } else if (what == QLatin1String("illness")) {
            d.type(QStringLiteral("illnessEdit"), words[1]);
        }
        QVERIFY2(d.window().plan().has_value(), qPrintable(d.window().problems().join(';')));
        const law::MonthPlan& junePlan = d.window().plan()->months[5];
        QCOMPARE(junePlan.special.total() + junePlan.certificate, Q(june));
        QCOMPARE(d.window().plan()->reconciliationInput.specialAdditional, Q(reconciled));
        if (item == QLatin1String("certificate 5"))
            QCOMPARE(d.window().plan()->months[4].certificate, M("3600"));
        QVERIFY2(noted.contains(note), qPrintable(noted));
        // The table shows what the engine makes of the same inputs.
        CompareWithEngine(d, law::PlanYear(d.window().inputs()->plan));
    }

    void capsAndClampedBases()
    {
        test::YearDriver d;
        d.type(QStringLiteral("wageEdit"), QStringLiteral("50000"));
        d.type(QStringLiteral("socialFloorEdit"), QStringLiteral("7460"));
        d.type(QStringLiteral("socialCapEdit"), QStringLiteral("37302"));
        d.type(QStringLiteral("fundCapEdit"), QStringLiteral("37302"));
        const law::Contributions& c = d.window().plan()->months[0].contributions;
        QCOMPARE(c.socialInsuranceBase, M("37302"));
        QCOMPARE(c.housingFundBase, M("37302"));
        QCOMPARE(c.pension, M("2984.16")); // 37,302 × 8 %
        d.type(QStringLiteral("wageEdit"), QStringLiteral("3000"));
        QCOMPARE(d.window().plan()->months[0].contributions.socialInsuranceBase, M("7460"));
        QCOMPARE(d.window().plan()->months[0].contributions.housingFundBase, M("3000"));
        // A base of its own is clamped too.
        d.type(QStringLiteral("socialBaseEdit"), QStringLiteral("40000"));
        QCOMPARE(d.window().plan()->months[0].contributions.socialInsuranceBase, M("37302"));

        // Health insurance: 200 a month at most; the personal pension 12,000 a year.
        d.type(QStringLiteral("wageEdit"), QStringLiteral("20000"));
        d.type(QStringLiteral("healthInsuranceEdit"), QStringLiteral("300"));
        QVERIFY(d.hint(QStringLiteral("healthInsuranceEdit")).contains(QStringLiteral("200")));
        d.type(QStringLiteral("personalPensionEdit"), QStringLiteral("1500"));
        QVERIFY(d.hint(QStringLiteral("personalPensionEdit")).contains(QStringLiteral("12,000")));
        const law::YearPlan& plan = *d.window().plan();
        QCOMPARE(plan.months[0].otherDeduction, M("1700"));
        QCOMPARE(plan.months[7].otherDeduction, M("1700")); // 8 × 1,500 = 12,000
        QCOMPARE(plan.months[8].otherDeduction, M("200"));
        QCOMPARE(plan.reconciliationInput.otherDeduction, M("14400"));
    }

    void comparesTheBonusTreatments()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        QString text = Text(d, "bonusView");
        QVERIFY2(text.contains(QStringLiteral("单独计税更省，全年少缴 4,560.00 元")),
                 qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("多发少得")));
        // Changed while another page is in front: the page is brought up to date when shown.
        d.window().tabs()->setCurrentIndex(0);
        d.setChecked(QStringLiteral("bonusCombinedOption"), true);
        law::YearPlanInput in = RealisticYear();
        in.bonusTreatment = law::BonusTreatment::Combined;
        CompareWithEngine(d, law::PlanYear(in));
        QCOMPARE(Shown(d, 12, Column::BonusTax), QString());
        QVERIFY(Text(d, "bonusView").contains(QStringLiteral("改选另一种计税方式可少缴税")));
    }

    // Just above 36,000 a bonus taxed on its own takes home less than 36,000 does, until the
    // end of the cliff that the engine finds.
    void warnsOfABonusCliff_data()
    {
        QTest::addColumn<QString>("bonus");
        QTest::addColumn<bool>("combined");
        QTest::addColumn<bool>("inCliff");
        QTest::newRow("at the bound") << "36000" << false << false;
        QTest::newRow("a yuan above") << "36001" << false << true;
        QTest::newRow("at the cliff's end") << "end" << false << false;
        // Taxed with the wages on the annual table, a bonus has no cliff.
        QTest::newRow("a yuan above, combined") << "36001" << true << false;
    }
    void warnsOfABonusCliff()
    {
        QFETCH(QString, bonus);
        QFETCH(bool, combined);
        QFETCH(bool, inCliff);
        const law::BonusCliff cliff = law::BonusCliffs().front();
        test::YearDriver d;
        d.enterRealisticYear();
        d.setChecked(combined ? QStringLiteral("bonusCombinedOption")
                              : QStringLiteral("bonusSeparateOption"),
                     true);
        d.type(QStringLiteral("bonusEdit"),
               bonus == QLatin1String("end") ? year::PlainAmount(cliff.end) : bonus);
        const QString text = Text(d, "bonusView");
        QCOMPARE(text.contains(QStringLiteral("多发少得")), inCliff);
        if (inCliff) {
            QVERIFY(text.contains(year::ShortAmount(cliff.end)));
            QVERIFY(text.contains(year::ShortAmount(cliff.takeHomeAtStart)));
        }
    }

    // From the end of the bonus rule the bonus is combined: the option shown is the one taken,
    // and the texts name the year the rule ended, not the year chosen.
    void combinesTheBonusFromTheRulesEnd_data()
    {
        QTest::addColumn<int>("year");
        QTest::newRow("2028") << 2028;
        QTest::newRow("2029") << 2029;
    }
    void combinesTheBonusFromTheRulesEnd()
    {
        QFETCH(int, year);
        test::YearDriver d;
        d.enterRealisticYear();
        d.choose(QStringLiteral("yearBox"), year);
        auto* separate = d.control<QRadioButton>("bonusSeparateOption");
        QVERIFY(!separate->isEnabled());
        QVERIFY(!separate->isChecked());
        QVERIFY(d.control<QRadioButton>("bonusCombinedOption")->isChecked());
        QCOMPARE(d.window().inputs()->plan.bonusTreatment, law::BonusTreatment::Combined);
        QCOMPARE(d.hint(QStringLiteral("bonusSeparateOption")), QString());
        const QString legal = d.control<QLabel>("bonusEditLegal")->text();
        QCOMPARE(legal, QStringLiteral("2028年起只能并入综合所得"));
        const QString text = Text(d, "bonusView");
        QVERIFY2(text.contains(QStringLiteral("2028年起只能并入综合所得")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("执行至2027年12月31日")), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("两种")), qPrintable(text));

        // Back in 2027 the user's choice of the separate treatment is there again.
        d.choose(QStringLiteral("yearBox"), 2027);
        QVERIFY(separate->isEnabled() && separate->isChecked());
    }

    // Someone who starts in March has nothing withheld before March at this employer; the year
    // itself began in January.
    void namesAMidYearStartTheFirstMonthAtThisEmployer()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.choose(QStringLiteral("firstMonthBox"), 3);
        d.window().tablePage()->selectMonth(3);
        const QString text = Text(d, "monthExplanation");
        QVERIFY2(text.contains(QStringLiteral("减：已预扣（本单位首月，无）")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("本年首月")));
    }

    // The headline of after-tax → pre-tax names the wages of the first and the last month, as
    // the table below it lists them, whatever the months between do (a certificate's deduction
    // in December lowers December's).
    void takeHomeHeadlineNamesTheFirstAndLastMonths()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.setChecked(QStringLiteral("certificateCheck"), true);
        d.choose(QStringLiteral("certificateMonthBox"), 12);
        d.window().tabs()->setCurrentPage<year::TakeHomePage>();
        d.type(QStringLiteral("takeHomeEdit"), QStringLiteral("18000"));
        auto* table = d.control<QTableWidget>("takeHomeTable");
        const QString summary = d.control<QLabel>("takeHomeSummary")->text();
        const QString january = table->item(0, 1)->text();
        const QString december = table->item(11, 1)->text();
        QVERIFY2(summary.contains(
                     QStringLiteral("从1月的 %1 元升到12月的 %2 元").arg(january, december)),
                 qPrintable(summary + QLatin1Char(' ') + january + QLatin1Char(' ') + december));
    }

    // From 2028 only the combined treatment remains, and the window says so.
    void combinesTheBonusAfter2027()
    {
        test::YearDriver d(QDate(2027, 3, 1));
        d.enterRealisticYear();
        d.choose(QStringLiteral("yearBox"), 2028);
        QVERIFY(!d.control<QRadioButton>("bonusSeparateOption")->isEnabled());
        QVERIFY(Text(d, "bonusView").contains(QStringLiteral("2028年起只能并入综合所得")));
        QVERIFY(d.window().plan()->bonusTreatment == law::BonusTreatment::Combined);
        law::YearPlanInput in = RealisticYear();
        in.year = 2028;
        CompareWithEngine(d, law::PlanYear(in));
    }

    // 公告2020年第19号 applies from 2021: for 2019 and 2020 the box is greyed with the reason, the
    // table deducts 5,000 a month, and the choice comes back for a later year.
    void wholeYearDeductionOnlyFrom2021()
    {
        test::YearDriver d;
        d.setChecked(QStringLiteral("wholeYearCheck"), true);
        QCOMPARE(d.window().plan()->months[0].step.cumulative.basicDeduction, M("60000"));
        auto* box = d.control<QCheckBox>("wholeYearCheck");
        for (int year : {2019, 2020}) {
            d.choose(QStringLiteral("yearBox"), year);
            QVERIFY(!box->isEnabled());
            QVERIFY(!box->isChecked());
            const QString reason = d.control<QLabel>("wholeYearCheckLegal")->text();
            QVERIFY2(reason.contains(QStringLiteral("2021年起")), qPrintable(reason));
            law::YearPlanInput in = year::DefaultInputs(year).plan;
            QCOMPARE(d.window().plan()->months[0].step.cumulative.basicDeduction, M("5000"));
            CompareWithEngine(d, law::PlanYear(in));
        }
        d.choose(QStringLiteral("yearBox"), 2021);
        QVERIFY(box->isEnabled());
        QVERIFY(box->isChecked());
        QCOMPARE(d.window().plan()->months[0].step.cumulative.basicDeduction, M("60000"));
        QVERIFY(d.messages().shown.isEmpty());
    }

    void reconciles_data()
    {
        QTest::addColumn<QString>("case_");
        QTest::addColumn<QString>("verdict");
        // clang-format off
        QTest::newRow("refund after a mid-year start") << "midyear" << "应退税";
        QTest::newRow("payment after an earlier employer") << "earlier" << "应补税 2,520.00 元";
        QTest::newRow("a payment of 300 let go") << "small" << "应补税 300.00 元，可免予补缴";
        QTest::newRow("a payment let go below 120,000") << "low" << "可免予补缴";
        QTest::newRow("nothing to settle") << "full" << "无需退补";
        // clang-format on
    }
    void reconciles()
    {
        QFETCH(QString, case_);
        QFETCH(QString, verdict);
        test::YearDriver d;
        d.enterRealisticYear();
        d.type(QStringLiteral("bonusEdit"), QString());
        if (case_ == QLatin1String("midyear")) {
            d.choose(QStringLiteral("firstMonthBox"), 7);
        } else if (case_ == QLatin1String("earlier")) {
            d.choose(QStringLiteral("firstMonthBox"), 7);
            d.type(QStringLiteral("otherIncomeEdit"), QStringLiteral("150000"));
            d.type(QStringLiteral("otherContributionsEdit"), QStringLiteral("26250"));
            d.type(QStringLiteral("otherWithheldEdit"), QStringLiteral("3855"));
        } else if (case_ == QLatin1String("small")) {
            d.type(QStringLiteral("otherIncomeEdit"), QStringLiteral("3000")); // at 10 %
        } else if (case_ == QLatin1String("low")) {
            // 116,000 in the year: 1,400 due on the annual table, 576 withheld.
            d.type(QStringLiteral("wageEdit"), QStringLiteral("8000"));
            d.setCount(QStringLiteral("childrenSpin"), 0);
            d.choose(QStringLiteral("housingBox"), 0);
            d.type(QStringLiteral("otherIncomeEdit"), QStringLiteral("20000"));
        }
        const law::ReconciliationResult& r = d.window().plan()->reconciliation;
        if (case_ == QLatin1String("midyear"))
            verdict += QStringLiteral(" %1 元").arg(year::GroupedAmount(-r.balance));
        if (case_ == QLatin1String("low")) {
            QVERIFY(r.income <= M("120000"));
            QVERIFY(r.balance > M("400"));
        }
        const QString text = Text(d, "reconciliationView");
        QVERIFY2(text.contains(verdict), qPrintable(text));
        QVERIFY(d.window().summary().contains(verdict));
        QCOMPARE(d.window().plan()->reconciliation.balance,
                 law::PlanYear(d.window().inputs()->plan).reconciliation.balance);
    }

    void findsThePreTaxWageForATakeHome()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.showPageOf(d.window().tabs()->page<year::TakeHomePage>());
        d.type(QStringLiteral("takeHomeEdit"), QStringLiteral("18000"));
        const auto expected = law::WagesForTakeHome(d.window().inputs()->plan, M("18000"));
        auto* table = d.control<QTableWidget>("takeHomeTable");
        for (int m = 1; m <= 12; ++m)
            QCOMPARE(table->item(m - 1, 1)->text(), year::GroupedAmount(*expected[m - 1]));
        QVERIFY(d.control<QLabel>("takeHomeSummary")->text().contains(QStringLiteral("升到")));
        d.control<QPushButton>("applyTakeHomeButton")->click();
        QCOMPARE(d.window().tabs()->currentIndex(), 0);
        for (int m = 1; m <= 12; ++m) {
            QCOMPARE(Cell(d, m, Column::Wage), expected[m - 1]);
            QVERIFY(d.window().plan()->months[m - 1].wageTakeHome >= M("18000"));
        }
        // A text that is no amount: its reason, and nothing to apply.
        d.type(QStringLiteral("takeHomeEdit"), QStringLiteral("一万八"));
        QVERIFY(d.control<QLabel>("takeHomeHint")->text().contains(QStringLiteral("不是金额")));
        QVERIFY(!d.control<QPushButton>("applyTakeHomeButton")->isEnabled());
    }

    // A refused value shows its reason below its box; no figure of the table is shown meanwhile,
    // nothing can be exported, no dialog opens; mending it brings the figures back.
    void refusesBadInputsWithTheirReason_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("letters") << "wageEdit" << "abc" << "“abc”不是金额";
        QTest::newRow("empty wage") << "wageEdit" << "" << "请填写金额";
        QTest::newRow("three decimals") << "wageEdit" << "25000.125" << "最多两位小数";
        QTest::newRow("negative") << "bonusEdit" << "-5" << "不能为负数";
        QTest::newRow("two stops") << "bonusEdit" << "1.2.3" << "不是金额";
        QTest::newRow("too large") << "wageEdit" << "99999999999" << "金额过大";
        QTest::newRow("fund rate below 5") << "fundRateEdit" << "4" << "5% 到 12%";
        QTest::newRow("fund rate above 12") << "employerFundRateEdit" << "12.5" << "5% 到 12%";
        QTest::newRow("pension rate above 100") << "pensionRateEdit" << "101" << "0% 到 100%";
        QTest::newRow("rate in words") << "medicalRateEdit" << "二" << "不是百分比";
        QTest::newRow("cap below floor") << "socialCapEdit" << "5000" << "上限不能低于下限";
        QTest::newRow("other income") << "otherIncomeEdit" << "1,2,3x" << "不是金额";
        QTest::newRow("annuity rate above 100") << "annuityRateEdit" << "120" << "0% 到 100%";
        QTest::newRow("average wage") << "averageWageEdit" << "八千" << "不是金额";
        // clang-format on
    }
    void refusesBadInputsWithTheirReason()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        test::YearDriver d;
        d.enterRealisticYear();
        const QString before = d.control<QLineEdit>(box)->text();
        d.type(box, text);
        QVERIFY2(d.hint(box).contains(reason), qPrintable(d.hint(box)));
        QVERIFY(!d.window().plan());
        // The last sound year (typed key by key, maybe one a key short of this) stays in the
        // table, marked as not the inputs' own, with the box that is wrong named above it.
        QVERIFY(Cell(d, 13, Column::Withheld));
        auto* note = d.control<QLabel>("staleResultsNote");
        QVERIFY(note->isVisibleTo(&d.window()));
        QVERIFY2(note->text().contains(reason), qPrintable(note->text()));
        QVERIFY(d.window()
                    .model()
                    ->index(0, Column::Withheld)
                    .data(Qt::AccessibleTextRole)
                    .toString()
                    .contains(QStringLiteral("上次")));
        QVERIFY(!d.control<QAction>("exportCsvAction")->isEnabled());
        QVERIFY(!d.control<QAction>("printAction")->isEnabled());
        QVERIFY(d.window().summary().startsWith(QStringLiteral("输入有误")));
        QVERIFY(Text(d, "monthExplanation").contains(reason));
        QVERIFY(d.messages().shown.isEmpty());
        // The box says why to a screen reader too.
        QVERIFY(d.control<QLineEdit>(box)->accessibleDescription().contains(reason));

        d.type(box, before);
        QCOMPARE(d.hint(box), QString());
        CompareWithEngine(d, law::PlanYear(RealisticYear()));
        QVERIFY(!note->isVisibleTo(&d.window()));
    }

    // Every box of the form refuses a text that is no number, says why beside itself, and the
    // year is not computed from the rest.
    void everyBoxSaysWhyItRefuses_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("reason");
        const QString money = QStringLiteral("不是金额");
        const QString rate = QStringLiteral("不是百分比");
        for (const char* box :
             {"wageEdit", "bonusEdit", "socialBaseEdit", "socialFloorEdit", "socialCapEdit",
              "fundBaseEdit", "fundFloorEdit", "fundCapEdit", "elderlyShareEdit", "illnessEdit",
              "healthInsuranceEdit", "personalPensionEdit", "otherDeductionEdit", "otherIncomeEdit",
              "otherContributionsEdit", "otherWithheldEdit"})
            QTest::newRow(box) << box << money;
        for (const char* box :
             {"pensionRateEdit", "employerPensionRateEdit", "medicalRateEdit",
              "employerMedicalRateEdit", "unemploymentRateEdit", "employerUnemploymentRateEdit",
              "employerInjuryRateEdit", "fundRateEdit", "employerFundRateEdit"})
            QTest::newRow(box) << box << rate;
    }
    void everyBoxSaysWhyItRefuses()
    {
        QFETCH(QString, box);
        QFETCH(QString, reason);
        test::YearDriver d;
        d.enterRealisticYear();
        d.choose(QStringLiteral("elderlyBox"), 2); // a share: its box is shown
        d.type(QStringLiteral("elderlyShareEdit"), QStringLiteral("1000"));
        QVERIFY(d.window().plan());
        d.type(box, QStringLiteral("x7"));
        QVERIFY2(d.hint(box).contains(reason), qPrintable(d.hint(box)));
        QVERIFY(!d.window().plan());
        QVERIFY(Cell(d, 13, Column::Withheld)); // the last good year, marked as such
        QVERIFY(d.control<QLabel>("staleResultsNote")->text().contains(reason));
        QVERIFY(d.messages().shown.isEmpty());
    }

    // Grouping commas and full-width digits, as typed with a Chinese input method, read right.
    void readsAmountsAsPeopleTypeThem()
    {
        test::YearDriver d;
        d.type(QStringLiteral("wageEdit"), QStringLiteral("２５，０００．５"));
        QCOMPARE(d.hint(QStringLiteral("wageEdit")), QString());
        QCOMPARE(Cell(d, 1, Column::Wage), std::optional(M("25000.50")));
    }
};

QTEST_MAIN(TestYearWindow)
#include "test_year_window.moc"
