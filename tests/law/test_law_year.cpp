// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/bonus.h"
#include "law/comparison.h"
#include "law/contributions.h"
#include "law/deductions.h"
#include "law/reconciliation.h"
#include "law/year_plan.h"
#include "tests/law/law_test_support.h"

#include <QTest>

#include <stdexcept>

using namespace tallyra::law;
using law_test::M;

namespace {

Money Q(const QString& text)
{
    return M(text.toStdString());
}

// The year planner's example: 25,000 a month, a bonus of 60,000 in December, two children in
// school, a housing loan, contributions on a base clamped between a floor and a cap.
YearPlanInput PlannerExample()
{
    YearPlanInput in;
    in.year = 2026;
    in.wages.fill(M("25000"));
    in.contributions.socialInsuranceBase = {std::nullopt, M("7460"), M("37302")};
    in.contributions.housingFundBase = {std::nullopt, M("2690"), M("37302")};
    in.special.childrenInEducation = 2;
    in.special.housing = Housing::Loan;
    in.bonus = M("60000");
    in.bonusMonth = 12;
    return in;
}

} // namespace

class TestLawYear : public QObject {
    Q_OBJECT

private slots:
    // Where taking home more starts again above each bound of the bonus table × 12.
    void bonusCliffs_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("takeHome");
        QTest::newRow("36000") << "36000"
                               << "38566.67"
                               << "34920";
        QTest::newRow("144000") << "144000"
                                << "160500"
                                << "129810";
        QTest::newRow("300000") << "300000"
                                << "318333.33"
                                << "241410";
        QTest::newRow("420000") << "420000"
                                << "447500"
                                << "317660";
        QTest::newRow("660000") << "660000"
                                << "706538.46"
                                << "466410";
        QTest::newRow("960000") << "960000"
                                << "1120000"
                                << "631160";
    }
    void bonusCliffs()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, takeHome);
        std::optional<BonusCliff> found;
        for (const BonusCliff& cliff : BonusCliffs())
            if (cliff.start == Q(start))
                found = cliff;
        QVERIFY(found);
        QCOMPARE(found->end, Q(end));
        QCOMPARE(found->takeHomeAtStart, Q(takeHome));
        // Just inside the cliff takes home less; its end takes home at least as much.
        auto home = [](Money bonus) { return bonus - TaxBonusSeparately(2026, bonus)->tax; };
        QVERIFY(home(Q(start) + Money::Fen(1)) < Q(takeHome));
        QVERIFY(home(Q(end) - Money::Fen(1)) < Q(takeHome));
        QVERIFY(home(Q(end)) >= Q(takeHome));
        QVERIFY(CliffContaining(Q(end) - Money::Fen(1)).has_value());
        QVERIFY(!CliffContaining(Q(end)).has_value());
        QVERIFY(!CliffContaining(Q(start)).has_value());
    }

    void comparesBonusTreatments_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("rest"); // the year's taxable income without the bonus
        QTest::addColumn<QString>("bonus");
        QTest::addColumn<QString>("separate"); // empty: not allowed that year
        QTest::addColumn<QString>("combined");
        QTest::addColumn<bool>("separateBetter");
        QTest::addColumn<QString>("saving");
        QTest::newRow("separate saves") << 2026 << "100000"
                                        << "36000"
                                        << "8560"
                                        << "11080" << true << "2520";
        QTest::newRow("combined saves for a low income") << 2026 << "-20000"
                                                         << "36000"
                                                         << "1080"
                                                         << "480" << false << "600";
        QTest::newRow("in a cliff") << 2026 << "100000"
                                    << "37000"
                                    << "10970"
                                    << "11180" << true << "210";
        QTest::newRow("2027 still separate") << 2027 << "0"
                                             << "12000"
                                             << "360"
                                             << "360" << false << "0";
        QTest::newRow("2028 combined only") << 2028 << "100000"
                                            << "36000"
                                            << ""
                                            << "11080" << false << "0";
    }
    void comparesBonusTreatments()
    {
        QFETCH(int, year);
        QFETCH(QString, rest);
        QFETCH(QString, bonus);
        QFETCH(QString, separate);
        QFETCH(QString, combined);
        QFETCH(bool, separateBetter);
        QFETCH(QString, saving);
        const BonusComparison c = CompareBonus(year, Q(rest), Q(bonus));
        QCOMPARE(c.separateTotal.has_value(), !separate.isEmpty());
        if (c.separateTotal)
            QCOMPARE(*c.separateTotal, Q(separate));
        QCOMPARE(c.combinedTotal, Q(combined));
        QCOMPARE(c.better == BonusTreatment::Separate, separateBetter);
        QCOMPARE(c.saving, Q(saving));
        QCOMPARE(c.cliff.has_value(), bonus == "37000");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, CompareBonus(2018, Q(rest), Q(bonus)));
    }

    // 年度汇算: the annual table on the year's income less 60,000 and every deduction; a small
    // payment is let go (at most 400, or an income of at most 120,000) in the years a rule says so.
    void reconciles_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("additional");
        QTest::addColumn<QString>("withheld");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<bool>("exempt");
        QTest::newRow("payment let go: income at most 120,000") << 2026 << "120000"
                                                                << "0"
                                                                << "3000"
                                                                << "3480"
                                                                << "480" << true;
        QTest::newRow("payment of 400 let go") << 2026 << "200000"
                                               << "0"
                                               << "11080"
                                               << "11480"
                                               << "400" << true;
        QTest::newRow("payment of 400.01 due") << 2026 << "200000"
                                               << "0"
                                               << "11079.99"
                                               << "11480"
                                               << "400.01" << false;
        QTest::newRow("refund") << 2026 << "200000"
                                << "0"
                                << "12000"
                                << "11480"
                                << "-520" << false;
        QTest::newRow("2028 has no exemption") << 2028 << "120000"
                                               << "0"
                                               << "3000"
                                               << "3480"
                                               << "480" << false;
        QTest::newRow("serious illness and certificate") << 2026 << "200000"
                                                         << "8600"
                                                         << "11480"
                                                         << "10620"
                                                         << "-860" << false;
        QTest::newRow("below the deductions") << 2026 << "50000"
                                              << "0"
                                              << "100"
                                              << "0"
                                              << "-100" << false;
    }
    void reconciles()
    {
        QFETCH(int, year);
        QFETCH(QString, income);
        QFETCH(QString, additional);
        QFETCH(QString, withheld);
        QFETCH(QString, tax);
        QFETCH(QString, balance);
        QFETCH(bool, exempt);
        ReconciliationInput in;
        in.year = year;
        in.income = Q(income);
        in.specialAdditional = Q(additional);
        in.withheld = Q(withheld);
        const ReconciliationResult r = Reconcile(in);
        QCOMPARE(r.basicDeduction, M("60000"));
        QCOMPARE(r.totalTax, Q(tax));
        QCOMPARE(r.balance, Q(balance));
        QCOMPARE(r.paymentExempt, exempt);
        QCOMPARE(r.exemption != nullptr, exempt);
    }

    void reconcilesASeparateBonus()
    {
        ReconciliationInput in;
        in.year = 2026;
        in.income = M("120000");
        in.separateBonus = M("36000");
        in.withheld = M("4560");
        const ReconciliationResult r = Reconcile(in);
        QCOMPARE(r.incomeTax, M("3480"));
        QCOMPARE(r.bonusTax, M("1080"));
        QCOMPARE(r.balance, Money());
        in.year = 2028;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Reconcile(in));
    }

    // Serious illness: what was paid above 15,000, at most 80,000 (国发〔2018〕41号 第十一条).
    void seriousIllness_data()
    {
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("deduction");
        QTest::newRow("below the floor") << "15000"
                                         << "0";
        QTest::newRow("a fen above") << "15000.01"
                                     << "0.01";
        QTest::newRow("within") << "20000"
                                << "5000";
        QTest::newRow("at the cap") << "95000"
                                    << "80000";
        QTest::newRow("above the cap") << "200000"
                                       << "80000";
    }
    void seriousIllness()
    {
        QFETCH(QString, cost);
        QFETCH(QString, deduction);
        QCOMPARE(SeriousIllnessDeduction(2026, Q(cost)), Q(deduction));
    }

    void specialDeductionItems_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("children");
        QTest::addColumn<int>("childShare");
        QTest::addColumn<int>("infants");
        QTest::addColumn<int>("housing"); // 0 none, 1 loan, 2 rent
        QTest::addColumn<int>("tier");
        QTest::addColumn<bool>("onlyChild");
        QTest::addColumn<QString>("share");
        QTest::addColumn<QString>("total");
        QTest::newRow("2019 one child, only child")
            << 2019 << 1 << 100 << 0 << 0 << 1 << true << "0"
            << "3000";
        QTest::newRow("2021 infant not yet") << 2021 << 0 << 100 << 1 << 0 << 1 << false << "0"
                                             << "0";
        QTest::newRow("2022 two children at 50%, infant")
            << 2022 << 2 << 50 << 1 << 0 << 1 << false << "0"
            << "2000";
        QTest::newRow("2023 rent tier 2, elderly share capped")
            << 2023 << 0 << 100 << 0 << 2 << 2 << false << "2000"
            << "2600";
        QTest::newRow("2026 rent tier 3") << 2026 << 0 << 100 << 0 << 2 << 3 << false << "0"
                                          << "800";
        QTest::newRow("2026 loan, two children, only child")
            << 2026 << 2 << 100 << 0 << 1 << 1 << true << "0"
            << "8000";
        QTest::newRow("2018 nothing") << 2018 << 2 << 100 << 1 << 1 << 1 << true << "0"
                                      << "0";
    }
    void specialDeductionItems()
    {
        QFETCH(int, year);
        QFETCH(int, children);
        QFETCH(int, childShare);
        QFETCH(int, infants);
        QFETCH(int, housing);
        QFETCH(int, tier);
        QFETCH(bool, onlyChild);
        QFETCH(QString, share);
        QFETCH(QString, total);
        SpecialDeductionItems items;
        items.childrenInEducation = children;
        items.childEducationShare = childShare;
        items.infants = infants;
        items.housing = Housing(housing);
        items.rentTier = tier;
        items.elderlyOnlyChild = onlyChild;
        items.elderlyShare = Q(share);
        QCOMPARE(MonthlySpecialDeduction(year, items).total(), Q(total));
    }

    void refusesBadDeductionItems()
    {
        SpecialDeductionItems items;
        items.childEducationShare = 70;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, MonthlySpecialDeduction(2026, items));
        items = {};
        items.rentTier = 4;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, MonthlySpecialDeduction(2026, items));
        items = {};
        items.infants = -1;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, MonthlySpecialDeduction(2026, items));
    }

    // 财税〔2017〕39号: 200 a month; 财政部 税务总局公告2022年第34号: 12,000 a year.
    void otherDeductionCaps_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("health");
        QTest::addColumn<QString>("pension");
        QTest::addColumn<QString>("pensionSoFar");
        QTest::addColumn<QString>("deductible");
        QTest::newRow("health within") << 2026 << "150"
                                       << "0"
                                       << "0"
                                       << "150";
        QTest::newRow("health capped") << 2026 << "300"
                                       << "0"
                                       << "0"
                                       << "200";
        QTest::newRow("pension within") << 2026 << "0"
                                        << "1000"
                                        << "11000"
                                        << "1000";
        QTest::newRow("pension capped") << 2026 << "0"
                                        << "2000"
                                        << "11000"
                                        << "1000";
        QTest::newRow("pension used up") << 2026 << "0"
                                         << "2000"
                                         << "12000"
                                         << "0";
        QTest::newRow("no pension before 2022") << 2021 << "200"
                                                << "1000"
                                                << "0"
                                                << "200";
        QTest::newRow("nothing before 2017") << 2016 << "200"
                                             << "1000"
                                             << "0"
                                             << "0";
    }
    void otherDeductionCaps()
    {
        QFETCH(int, year);
        QFETCH(QString, health);
        QFETCH(QString, pension);
        QFETCH(QString, pensionSoFar);
        QFETCH(QString, deductible);
        const OtherDeductionItems items{Q(health), Q(pension), Money()};
        QCOMPARE(DeductibleOtherDeductions(year, items, Q(pensionSoFar)), Q(deductible));
    }

    // Each contribution on a base clamped between the floor and the cap, rounded to the fen
    // half away from zero on its own.
    void contributions_data()
    {
        QTest::addColumn<QString>("wage");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("pension");
        QTest::addColumn<QString>("unemployment");
        QTest::addColumn<QString>("fund");
        QTest::addColumn<QString>("employer");
        QTest::newRow("within") << "12345.67"
                                << "12345.67"
                                << "987.65"
                                << "61.73"
                                << "864.20"
                                << "3666.67";
        QTest::newRow("floor") << "3000"
                               << "7460"
                               << "596.80"
                               << "37.30"
                               << "522.20"
                               << "2215.62";
        QTest::newRow("cap") << "50000"
                             << "37302"
                             << "2984.16"
                             << "186.51"
                             << "2611.14"
                             << "11078.69";
    }
    void contributions()
    {
        QFETCH(QString, wage);
        QFETCH(QString, base);
        QFETCH(QString, pension);
        QFETCH(QString, unemployment);
        QFETCH(QString, fund);
        QFETCH(QString, employer);
        ContributionSetup setup;
        setup.socialInsuranceBase = {std::nullopt, M("7460"), M("37302")};
        setup.housingFundBase = {std::nullopt, M("7460"), M("37302")};
        const Contributions c = ComputeContributions(setup, Q(wage));
        QCOMPARE(c.socialInsuranceBase, Q(base));
        QCOMPARE(c.pension, Q(pension));
        QCOMPARE(c.unemployment, Q(unemployment));
        QCOMPARE(c.housingFund, Q(fund));
        QCOMPARE(c.employerTotal(), Q(employer));
        QCOMPARE(c.employeeTotal(), c.pension + c.medical + c.unemployment + c.housingFund);
    }

    void plansTheExampleYear()
    {
        const YearPlan plan = PlanYear(PlannerExample());
        const MonthPlan& january = plan.months[0];
        QVERIFY(january.employed);
        QCOMPARE(january.contributions.employeeTotal(), M("4375")); // 2,000 + 500 + 125 + 1,750
        QCOMPARE(january.special.total(), M("5000"));
        QCOMPARE(january.step.taxableIncome, M("10625"));
        QCOMPARE(january.step.withheld, M("318.75"));
        QCOMPARE(january.takeHome, M("20306.25"));
        // The rate steps up to 10 % in April, and only then.
        for (int m = 1; m <= 12; ++m)
            QCOMPARE(plan.months[m - 1].rateStepsUp, m == 4);
        QCOMPARE(plan.months[3].step.withheld, M("773.75"));
        // December: the bonus taxed on its own, 60,000 ÷ 12 = 5,000 → 10 %, 210.
        const MonthPlan& december = plan.months[11];
        QCOMPARE(december.bonus, M("60000"));
        QVERIFY(!december.bonusCombined);
        QCOMPARE(december.bonusTax, M("5790"));
        QCOMPARE(plan.totals.withheld, M("10230"));
        QCOMPARE(plan.totals.bonusTax, M("5790"));
        QCOMPARE(plan.totals.employerCost,
                 M("360000") + january.contributions.employerTotal().times(12));
        // The reconciliation finds nothing left to settle; separate saves 4,560.
        QCOMPARE(plan.reconciliation.totalTax, M("16020"));
        QCOMPARE(plan.reconciliation.balance, Money());
        QVERIFY(plan.bonusComparison.has_value());
        QCOMPARE(plan.bonusComparison->combinedTotal, M("20580"));
        QVERIFY(plan.bonusComparison->better == BonusTreatment::Separate);
        QCOMPARE(plan.bonusComparison->saving, M("4560"));
    }

    // From 2028 the bonus can only be combined; the year plan says so by what it applied.
    void combinesTheBonusWhereSeparateIsNotAllowed()
    {
        YearPlanInput in = PlannerExample();
        in.year = 2028;
        const YearPlan plan = PlanYear(in);
        QVERIFY(plan.bonusTreatment == BonusTreatment::Combined);
        QVERIFY(plan.months[11].bonusCombined);
        QCOMPARE(plan.months[11].bonusTax, Money());
        QCOMPARE(plan.months[11].step.month.income, M("85000"));
        QVERIFY(!plan.bonusComparison->separateTotal.has_value());
    }

    void plansAMidYearStart()
    {
        YearPlanInput in = PlannerExample();
        in.firstMonthEmployed = 7;
        in.bonus = Money();
        const YearPlan plan = PlanYear(in);
        for (int m = 1; m <= 6; ++m) {
            QVERIFY(!plan.months[m - 1].employed);
            QCOMPARE(plan.months[m - 1].takeHome, Money());
        }
        QCOMPARE(plan.months[6].step.cumulative.basicDeduction, M("5000"));
        QCOMPARE(plan.totals.wages, M("150000"));
        // The reconciliation still takes the deduction items of the whole year, unless they are
        // to count only from the first month employed.
        QCOMPARE(plan.reconciliationInput.specialAdditional, M("60000"));
        in.reconcileItemsForWholeYear = false;
        QCOMPARE(PlanYear(in).reconciliationInput.specialAdditional, M("30000"));
        in.firstMonthEmployed = 1;
        QCOMPARE(PlanYear(in).reconciliationInput.specialAdditional, M("60000"));
    }

    // Two employers in one year: each withholds as if it were the only one, so the second one
    // deducts the basic 5,000 a month and climbs the table from its first row again. The
    // reconciliation takes the earlier employer's income, contributions and tax and finds what is
    // still due: the 2,520 the second start saved by taxing 36,000 again at 3 %.
    void reconcilesAnEarlierEmployer()
    {
        YearPlanInput earlier = PlannerExample();
        earlier.bonus = Money();
        CumulativeWithholding first(2026, 1, false);
        Money earlierContributions;
        for (int m = 1; m <= 6; ++m) {
            const Money c = ComputeContributions(earlier.contributions, M("25000")).employeeTotal();
            earlierContributions += c;
            first.withhold(m, {M("25000"), Money(), c, M("5000"), Money()});
        }
        // (150,000 − 30,000 − 26,250 − 30,000) × 10 % − 2,520
        QCOMPARE(first.withheldSoFar(), M("3855"));
        YearPlanInput in = earlier;
        in.firstMonthEmployed = 7;
        in.otherIncome = M("150000");
        in.otherSpecialDeduction = earlierContributions;
        in.otherWithheld = first.withheldSoFar();
        const YearPlan plan = PlanYear(in);
        QCOMPARE(plan.totals.withheld, M("3855"));
        QCOMPARE(plan.reconciliation.income, M("300000"));
        QCOMPARE(plan.reconciliation.totalTax, M("10230"));
        QCOMPARE(plan.reconciliation.withheld, M("7710"));
        QCOMPARE(plan.reconciliation.balance, M("2520"));
        QVERIFY(!plan.reconciliation.paymentExempt);
        in.otherWithheld = -M("1");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, PlanYear(in));
    }

    void deductsACertificateAndCapsOtherDeductions()
    {
        YearPlanInput in = PlannerExample();
        in.bonus = Money();
        in.special.certificateObtained = true;
        in.special.certificateMonth = 5;
        in.special.seriousIllnessCost = M("20000");
        in.other.commercialHealthInsurance = M("300");
        in.other.personalPension = M("2000");
        const YearPlan plan = PlanYear(in);
        QCOMPARE(plan.months[4].certificate, M("3600"));
        QCOMPARE(plan.months[3].certificate, Money());
        QCOMPARE(plan.months[0].otherDeduction, M("2200")); // 200 + 2,000
        QCOMPARE(plan.months[5].otherDeduction, M("2200")); // the pension reaches 12,000
        QCOMPARE(plan.months[6].otherDeduction, M("200"));  // only the health insurance
        QCOMPARE(plan.reconciliationInput.otherDeduction, M("14400"));
        // 12 × 5,000 + 3,600 + (20,000 − 15,000)
        QCOMPARE(plan.reconciliationInput.specialAdditional, M("68600"));
    }

    void refusesBadPlans()
    {
        YearPlanInput in = PlannerExample();
        in.year = 2018;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, PlanYear(in));
        in = PlannerExample();
        in.firstMonthEmployed = 13;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, PlanYear(in));
        in = PlannerExample();
        in.bonusMonth = 0;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, PlanYear(in));
        in = PlannerExample();
        in.wages[3] = -M("1");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, PlanYear(in));
    }

    // The wage that takes home a target in a month, with contributions that grow with the wage,
    // the year's earlier months as planned: it reaches the target, a fen less does not.
    void wageForTakeHome_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("target");
        QTest::newRow("January 20,000") << 1 << "20000";
        QTest::newRow("April, rate steps up") << 4 << "20000";
        QTest::newRow("December 15,000.01") << 12 << "15000.01";
        QTest::newRow("below the floor") << 6 << "1000";
        QTest::newRow("above the cap") << 9 << "80000";
    }
    void wageForTakeHome()
    {
        QFETCH(int, month);
        QFETCH(QString, target);
        YearPlanInput in = PlannerExample();
        in.bonus = Money();
        const auto wage = WageForTakeHome(in, month, Q(target));
        QVERIFY(wage.has_value());
        auto takeHomeWith = [&](Money w) {
            YearPlanInput changed = in;
            changed.wages[month - 1] = w;
            return PlanYear(changed).months[month - 1].takeHome;
        };
        QVERIFY(takeHomeWith(*wage) >= Q(target));
        for (int fen = 1; fen <= 100; ++fen)
            QVERIFY(takeHomeWith(*wage - Money::Fen(fen)) < Q(target));
    }

    // A bonus combined with December's wage raises December's withholding: the wage that takes
    // home the target bears it, and the bonus itself is not counted as take-home.
    void wageForTakeHomeBesideACombinedBonus_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("treatment"); // 0 separate, 1 combined
        QTest::newRow("2026 combined by choice") << 2026 << 1;
        QTest::newRow("2028 combined by law") << 2028 << 0;
        QTest::newRow("2026 separate") << 2026 << 0;
    }
    void wageForTakeHomeBesideACombinedBonus()
    {
        QFETCH(int, year);
        QFETCH(int, treatment);
        YearPlanInput in = PlannerExample();
        in.year = year;
        in.bonusTreatment = treatment ? BonusTreatment::Combined : BonusTreatment::Separate;
        const Money target = M("20000");
        const auto wage = WageForTakeHome(in, 12, target);
        QVERIFY(wage.has_value());
        auto decemberWith = [&](Money w) {
            YearPlanInput changed = in;
            changed.wages[11] = w;
            return PlanYear(changed).months[11];
        };
        const MonthPlan december = decemberWith(*wage);
        QCOMPARE(december.wageTakeHome,
                 december.wage - december.contributions.employeeTotal() - december.step.withheld);
        QCOMPARE(december.wageTakeHome, december.takeHome - december.bonus + december.bonusTax);
        QVERIFY(december.wageTakeHome >= target);
        QVERIFY(decemberWith(*wage - Money::Fen(1)).wageTakeHome < target);
        if (december.bonusCombined)
            QCOMPARE(december.step.month.income, *wage + M("60000"));
    }

    // Every month's wage for the same take-home: each reaches it with the months before it as
    // found, and the wage rises as the cumulative income climbs the table.
    void wagesForTakeHomeEveryMonth()
    {
        YearPlanInput in = PlannerExample();
        in.bonus = Money();
        in.firstMonthEmployed = 3;
        const Money target = M("18000");
        const auto wages = WagesForTakeHome(in, target);
        QVERIFY(!wages[0] && !wages[1]);
        for (int m = 3; m <= 12; ++m) {
            QVERIFY(wages[m - 1].has_value());
            in.wages[m - 1] = *wages[m - 1];
        }
        const YearPlan plan = PlanYear(in);
        for (int m = 3; m <= 12; ++m) {
            QVERIFY(plan.months[m - 1].wageTakeHome >= target);
            QVERIFY(plan.months[m - 1].wageTakeHome - target < M("1"));
        }
        QVERIFY(*wages[11] > *wages[2]);
        // Nothing reaches an unreachable target, nor the months after it.
        const auto none = WagesForTakeHome(in, Money::Fen(INT64_MAX));
        for (const auto& wage : none)
            QVERIFY(!wage.has_value());
    }

    // The same wage of 10,000 a month under every law since 1994.
    void sameWageUnderEveryLaw()
    {
        const auto rows = SameWageUnderEveryLaw(M("10000"), Money());
        QCOMPARE(rows.size(), std::size_t(6));
        const char* monthly[] = {"1465", "1305", "1225", "745", "290", "150"};
        const char* yearly[] = {"17580", "15660", "14700", "8940", "3480", "3480"};
        for (std::size_t i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].firstMonthTax, M(monthly[i]));
            QCOMPARE(rows[i].yearTax, M(yearly[i]));
            QCOMPARE(rows[i].yearTakeHome, M("120000") - M(yearly[i]));
        }
        // From 2019 the special additional deductions count.
        const auto withChild = SameWageUnderEveryLaw(M("10000"), Money(), M("2000"));
        QCOMPARE(withChild[0].yearTax, M("17580"));
        QCOMPARE(withChild[5].yearTax, M("1080")); // (120,000 − 60,000 − 24,000) × 3 %
    }
};

QTEST_APPLESS_MAIN(TestLawYear)
#include "test_law_year.moc"
