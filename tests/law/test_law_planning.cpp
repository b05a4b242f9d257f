// SPDX-License-Identifier: GPL-3.0-or-later
// Planning a year: the least-tax split of a package, one wage for a take-home, and what the
// year comes to after the reconciliation.
#include "law/contribution_tax.h"
#include "law/one_wage.h"
#include "law/package_split.h"
#include "law/split_search.h"
#include "law/year_outcome.h"
#include "tests/law/law_test_support.h"

#include <QTest>

#include <map>
#include <stdexcept>

using namespace tallyra::law;
using law_test::M;

namespace {

Money Q(const QString& text)
{
    return M(text.toStdString());
}

// Contributions on a base clamped between a floor and a cap, 17.5 % for the employee.
YearPlanInput Employee(int year, const char* wage, const char* bonus)
{
    YearPlanInput in;
    in.year = year;
    in.wages.fill(M(wage));
    in.bonus = M(bonus);
    in.contributions.socialInsuranceBase = {std::nullopt, M("7460"), M("37302")};
    in.contributions.housingFundBase = {std::nullopt, M("2690"), M("37302")};
    return in;
}

// The planner's example: 25,000 a month, 60,000 in December, two children, a housing loan.
YearPlanInput PlannerExample()
{
    YearPlanInput in = Employee(2026, "25000", "60000");
    in.special.childrenInEducation = 2;
    in.special.housing = Housing::Loan;
    return in;
}

// The least tax of any split whose wage is a whole number of yuan, by trying each.
PackageSplit BruteForceByYuan(const YearPlanInput& in, Money package)
{
    const int months = 13 - in.firstMonthEmployed;
    PackageSplit best = SplitPackage(in, package, Money());
    for (Money wage = M("1"); wage.times(months) <= package; wage += M("1")) {
        const PackageSplit split = SplitPackage(in, package, wage);
        if (split.tax <= best.tax)
            best = split;
    }
    return best;
}

} // namespace

class TestLawPlanning : public QObject {
    Q_OBJECT

private slots:
    // Worked by hand. At 27,000 a month the contributions are 2,160 + 540 + 135 + 1,890 =
    // 4,725 a month, 56,700 a year; the wages' taxable income is 324,000 − 60,000 − 56,700 −
    // 60,000 (two children and the loan, 5,000 a month) = 147,300, taxed 20 % − 16,920 =
    // 12,540; the bonus 36,000 ÷ 12 = 3,000 takes 3 %: 1,080; together 13,620. Each yuan moved
    // from the wage (20 % of its 82.5 % left after contributions: 16.5 %) to the bonus (3 %)
    // saves until the bonus reaches 36,000, where a fen more costs the next row's 10 % on all
    // of it. The best with the bonus in the 10 % row stops where the wages' taxable income
    // falls to 144,000 (below it they are taxed at 10 % × 82.5 %): 26,666.66 a month, whose
    // contributions round to 2,133.33 + 533.33 + 133.33 + 1,866.67 = 4,666.66, leaving
    // 319,999.92 − 60,000 − 55,999.92 − 60,000 = 144,000.00 at 10 % − 2,520 = 11,880, and a
    // bonus of 40,000.08 at 10 % − 210 = 3,790.01: 15,670.01.
    void bestSplitOfTheExampleYear()
    {
        const BestSplit found = FindBestSplit(PlannerExample());
        QCOMPARE(found.package, M("360000"));
        QCOMPARE(found.months, 12);
        QCOMPARE(found.best.monthlyWage, std::optional<Money>(M("27000")));
        QCOMPARE(found.best.bonus, M("36000"));
        QVERIFY(found.best.treatment == BonusTreatment::Separate);
        QCOMPARE(found.best.tax, M("13620"));
        QCOMPARE(found.best.employeeContributions, M("56700"));
        QCOMPARE(found.best.takeHome, M("360000") - M("56700") - M("13620"));
        QCOMPARE(found.today.tax, M("16020"));
        QCOMPARE(found.saving(), M("2400"));
        QCOMPARE(found.runnersUp.size(), std::size_t(2));
        QCOMPARE(found.runnersUp[0].monthlyWage, std::optional<Money>(M("26666.66")));
        QCOMPARE(found.runnersUp[0].bonus, M("40000.08"));
        QCOMPARE(found.runnersUp[0].tax, M("15670.01"));
        QVERIFY(found.runnersUp[1].tax >= found.runnersUp[0].tax);
        QVERIFY(found.runnersUp[1].bonus > M("144000"));
    }

    // Against every whole-yuan wage: the search is never worse, and no fen near the best
    // whole-yuan wage beats it either.
    void bestSplitAgainstBruteForce_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("wage");
        QTest::addColumn<QString>("bonus");
        QTest::addColumn<int>("children");
        QTest::addColumn<int>("firstMonth");
        QTest::addColumn<bool>("noBonus"); // the best split has no bonus at all
        // Where the wages' taxable income stays in the 3 % row, a yuan of wage is taxed at
        // 3 % of what the contributions leave and a yuan of bonus at 3 %: no bonus is best.
        QTest::newRow("2019 small: 3 % row") << 2019 << "6000"
                                             << "8000" << 0 << 1 << true;
        QTest::newRow("2022 one child") << 2022 << "12000"
                                        << "30000" << 1 << 1 << false;
        QTest::newRow("2023 two children: 3 % row") << 2023 << "12000"
                                                    << "30000" << 2 << 1 << true;
        QTest::newRow("2023 none: 10 % row") << 2023 << "12000"
                                             << "30000" << 0 << 1 << false;
        QTest::newRow("2026 from July: 3 % row") << 2026 << "15000"
                                                 << "50000" << 1 << 7 << true;
        QTest::newRow("2027 two children") << 2027 << "20000"
                                           << "40000" << 2 << 1 << false;
        // Combined, the split moves the tax only through the contributions, which grow with
        // the wage: the largest wage is best.
        QTest::newRow("2028 combined only") << 2028 << "20000"
                                            << "40000" << 1 << 1 << true;
    }
    void bestSplitAgainstBruteForce()
    {
        QFETCH(int, year);
        QFETCH(QString, wage);
        QFETCH(QString, bonus);
        QFETCH(int, children);
        QFETCH(int, firstMonth);
        QFETCH(bool, noBonus);
        YearPlanInput in = Employee(year, wage.toUtf8().constData(), bonus.toUtf8().constData());
        in.special.childrenInEducation = children;
        in.firstMonthEmployed = firstMonth;
        const BestSplit found = FindBestSplit(in);
        const PackageSplit brute = BruteForceByYuan(in, found.package);
        QVERIFY2(found.best.tax <= brute.tax, found.best.tax.toString().c_str());
        for (std::int64_t fen = -100; fen <= 100; ++fen) {
            const Money near = *brute.monthlyWage + Money::Fen(fen);
            if (near.times(found.months) <= found.package)
                QVERIFY(SplitPackage(in, found.package, near).tax >= found.best.tax);
        }
        // The best as reported is what planning that split gives.
        const PackageSplit again = SplitPackage(in, found.package, *found.best.monthlyWage);
        QCOMPARE(again.tax, found.best.tax);
        QCOMPARE(found.best.yearWages + found.best.bonus, found.package);
        QCOMPARE(found.best.bonus < Money::Fen(found.months), noBonus);
        for (const PackageSplit& other : found.runnersUp)
            QVERIFY(other.tax >= found.best.tax);
        QCOMPARE(found.today.tax, SplitPackage(in, found.package, M(wage.toStdString())).tax);
    }

    // The search against every fen below the wage that leaves no bonus, row by row of the
    // bonus, with rates whose roundings repeat only every few hundred fen, a fixed base and a
    // package that does not divide by the months.
    void bestWagePerBonusRowAgainstEveryFen_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("package");
        QTest::addColumn<int>("firstMonth");
        QTest::addColumn<bool>("oddRates");
        QTest::addColumn<bool>("fixedFundBase");
        QTest::addColumn<bool>("fundAndAnnuity"); // supplementary fund 5 %, annuity 4 % and 8 %
        QTest::addColumn<QString>("average");     // the city's average wage, "0": not given
        QTest::newRow("2026 common rates")
            << 2026 << "150000.07" << 1 << false << false << false << "0";
        QTest::newRow("2019 odd rates")
            << 2019 << "130000.11" << 1 << true << false << false << "0";
        QTest::newRow("2023 fixed fund base")
            << 2023 << "160000" << 1 << false << true << false << "0";
        QTest::newRow("2027 from October, odd")
            << 2027 << "90000.05" << 10 << true << true << false << "0";
        // The fund above 12 % and the annuity above 4 % of a base capped at three times the
        // average wage: the limits cross the contributions inside the range searched.
        QTest::newRow("2026 fund and annuity, average 3,000")
            << 2026 << "140000.03" << 1 << false << false << true << "3000";
        // Flat: bases fixed, the wages' rows and the bonus's both 10 %, so the tax moves only by
        // the roundings between the breakpoints; the whole period of the roundings is searched.
        QTest::newRow("flat at 10 %, fixed bases")
            << 2026 << "234000.07" << 1 << false << true << false << "flat";
        QTest::newRow("2022 odd rates, fund and annuity")
            << 2022 << "120000" << 1 << true << false << true << "2500.5";
    }
    void bestWagePerBonusRowAgainstEveryFen()
    {
        QFETCH(int, year);
        QFETCH(QString, package);
        QFETCH(int, firstMonth);
        QFETCH(bool, oddRates);
        QFETCH(bool, fixedFundBase);
        QFETCH(bool, fundAndAnnuity);
        QFETCH(QString, average);
        YearPlanInput in = Employee(year, "0", "0");
        in.firstMonthEmployed = firstMonth;
        if (oddRates)
            in.contributions.employee = {777, 213, 31, 1179};
        if (fixedFundBase)
            in.contributions.housingFundBase.fixed = M("5000");
        if (fundAndAnnuity) {
            in.contributions.employee.supplementaryFund = 500;
            in.contributions.employer.supplementaryFund = 500;
            in.contributions.employee.annuity = oddRates ? 433 : 400;
            in.contributions.employer.annuity = 800;
            in.contributions.housingFundBase.cap = M("12000");
        }
        if (average == "flat") {
            in.contributions.socialInsuranceBase.fixed = M("5000");
            average = "0";
        }
        in.contributions.localAverageWage = M(average.toStdString());
        const split::SeparateTax tax(in, M(package.toStdString()));
        std::map<int, split::Found> every;
        for (Money w; w < tax.maxWage(); w += Money::Fen(1)) {
            const split::Found here{w, tax.tax(w)};
            auto [place, fresh] = every.try_emplace(tax.bonusRow(w), here);
            if (!fresh && here.tax <= place->second.tax)
                place->second = here;
        }
        const std::map<int, split::Found> found = split::BestWagePerBonusRow(tax);
        QCOMPARE(found.size(), every.size());
        for (const auto& [row, best] : every) {
            QVERIFY(found.count(row));
            QCOMPARE(found.at(row).tax, best.tax);
            QCOMPARE(found.at(row).wage, best.wage);
        }
        // The quick reckoning is the year planned in full.
        for (Money w; w < tax.maxWage(); w += M("997.13")) {
            YearPlanInput year = in;
            year.wages.fill(w);
            year.bonus = tax.bonus(w);
            QCOMPARE(tax.tax(w), PlanYear(year).reconciliation.totalTax);
        }
    }

    void bestSplitRefusesABonusBeforeTheFirstMonth()
    {
        YearPlanInput in = PlannerExample();
        in.firstMonthEmployed = 7;
        in.bonusMonth = 3;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, FindBestSplit(in));
        in = PlannerExample();
        in.contributions.employee = {5000, 2000, 1000, 2000};
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, FindBestSplit(in));
    }

    // Worked by hand. From July at 10,000 a month (contributions 17.5 %: 1,750), no deduction
    // items, a bonus of 36,000 in December. Withheld on the wages: 6 × (10,000 − 1,750 −
    // 5,000) = 19,500 at 3 % = 585. On its own the bonus takes 1,080; combined, December's
    // cumulative 55,500 takes 10 % − 2,520 = 3,030 in all. The reconciliation deducts the whole
    // 60,000: separately 0 + 1,080 (refund 585), combined (96,000 − 60,000 − 10,500) × 3 % =
    // 765 (refund 2,265). From January with no bonus, 39,000 a year is withheld 10 % − 2,520 =
    // 1,380; another payer's 3,000 makes the year's tax (123,000 − 60,000 − 21,000) × 10 % −
    // 2,520 = 1,680, a payment of 300 that is let go; 5,000 makes it 500, due.
    void takeHomeAfterReconciliation_data()
    {
        QTest::addColumn<int>("firstMonth");
        QTest::addColumn<QString>("bonus");
        QTest::addColumn<int>("treatment"); // 0 separate, 1 combined
        QTest::addColumn<QString>("otherIncome");
        QTest::addColumn<QString>("months");      // the months' take-home
        QTest::addColumn<QString>("settled");     // paid (+) or refunded (−)
        QTest::addColumn<QString>("wages");       // the wages' part after the reconciliation
        QTest::addColumn<QString>("otherSaving"); // empty: no other treatment
        QTest::newRow("from July, separate") << 7 << "36000" << 0 << "0"
                                             << "83835"
                                             << "-585"
                                             << "49500"
                                             << "315";
        QTest::newRow("from July, combined") << 7 << "36000" << 1 << "0"
                                             << "82470"
                                             << "-2265"
                                             << "48735"
                                             << "-315";
        QTest::newRow("payment let go") << 1 << "0" << 0 << "3000"
                                        << "97620"
                                        << "0"
                                        << "97620"
                                        << "";
        QTest::newRow("payment due") << 1 << "0" << 0 << "5000"
                                     << "97620"
                                     << "500"
                                     << "97120"
                                     << "";
    }
    void takeHomeAfterReconciliation()
    {
        QFETCH(int, firstMonth);
        QFETCH(QString, bonus);
        QFETCH(int, treatment);
        QFETCH(QString, otherIncome);
        QFETCH(QString, months);
        QFETCH(QString, settled);
        QFETCH(QString, wages);
        QFETCH(QString, otherSaving);
        YearPlanInput in = Employee(2026, "10000", bonus.toUtf8().constData());
        in.firstMonthEmployed = firstMonth;
        in.bonusTreatment = treatment ? BonusTreatment::Combined : BonusTreatment::Separate;
        in.otherIncome = M(otherIncome.toStdString());
        const YearPlan plan = PlanYear(in);
        QCOMPARE(plan.totals.takeHome, M(months.toStdString()));
        QCOMPARE(SettledAtReconciliation(plan.reconciliation), M(settled.toStdString()));
        QCOMPARE(TakeHomeAfterReconciliation(plan),
                 M(months.toStdString()) - M(settled.toStdString()));
        QCOMPARE(WageTakeHomeAfterReconciliation(plan), M(wages.toStdString()));
        const auto other = OtherTreatmentAtReconciliation(plan);
        QCOMPARE(other.has_value(), !otherSaving.isEmpty());
        if (!other)
            return;
        QCOMPARE(other->saving, M(otherSaving.toStdString()));
        QVERIFY(other->treatment != plan.bonusTreatment);
        // Either way the better treatment, combined here, comes to 765 and the more take-home.
        const LeastYearTax least = LeastTaxAtReconciliation(plan);
        QVERIFY(least.treatment == BonusTreatment::Combined);
        QCOMPARE(least.tax, M("765"));
    }

    // Worked by hand, 2026, no deduction items, contributions 10.5 % of the wage and the fund
    // at the offer's rate on both sides. A: 30,000 at 5 %: 3,150 + 1,500 a month, taxable
    // 12 × (30,000 − 4,650 − 5,000) = 244,200 at 20 % − 16,920 = 31,920; take-home 360,000 −
    // 55,800 − 31,920 = 272,280; fund 2 × 18,000. B: 28,000 at 12 %: 2,940 + 3,360, taxable
    // 200,400 → 23,160; take-home 336,000 − 75,600 − 23,160 = 237,240; fund 2 × 40,320. A
    // takes home 35,040 more; with the fund B is 9,600 ahead.
    void offersWithTheHousingFund_data()
    {
        QTest::addColumn<QString>("wage");
        QTest::addColumn<int>("fundRate"); // basis points, both sides
        QTest::addColumn<QString>("takeHome");
        QTest::addColumn<QString>("fund");
        QTest::addColumn<QString>("withFund");
        QTest::addColumn<int>("supplementary"); // both sides
        QTest::newRow("A") << "30000" << 500 << "272280"
                           << "36000"
                           << "308280" << 0;
        QTest::newRow("B") << "28000" << 1200 << "237240"
                           << "80640"
                           << "317880" << 0;
        // B with a supplementary fund of 5 %: 4,760 a side, 3,360 of it tax free; the
        // employer's 1,400 above is pay: 12 × (29,400 − 5,000 − 2,940 − 3,360) = 217,200 at
        // 20 % − 16,920 = 26,520; take-home 12 × (28,000 − 2,940 − 4,760) − 26,520 = 217,080.
        QTest::newRow("B and a supplementary fund") << "28000" << 1200 << "217080"
                                                    << "114240"
                                                    << "331320" << 500;
    }
    void offersWithTheHousingFund()
    {
        QFETCH(QString, wage);
        QFETCH(int, fundRate);
        QFETCH(QString, takeHome);
        QFETCH(QString, fund);
        QFETCH(QString, withFund);
        QFETCH(int, supplementary);
        YearPlanInput in = Employee(2026, wage.toUtf8().constData(), "0");
        in.contributions.employee.housingFund = fundRate;
        in.contributions.employer.housingFund = fundRate;
        in.contributions.employee.supplementaryFund = supplementary;
        in.contributions.employer.supplementaryFund = supplementary;
        const YearPlan plan = PlanYear(in);
        QCOMPARE(TakeHomeAfterReconciliation(plan), M(takeHome.toStdString()));
        const HousingFundOfYear paid = HousingFundOf(plan);
        QCOMPARE(paid.employee, paid.employer);
        QCOMPARE(paid.total(), M(fund.toStdString()));
        QCOMPARE(IncomeWithHousingFund(plan), M(withFund.toStdString()));
    }

    // 37,000 on its own: 10 % − 210 = 3,490, taking home 33,510 where 36,000 takes home 34,920;
    // 38,566.66 takes 3,646.67 and home 34,919.99, a fen short; a combined bonus has no cliff.
    void bonusInACliff_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("bonus");
        QTest::addColumn<int>("treatment");
        QTest::addColumn<QString>("loss"); // empty: not in a cliff
        QTest::newRow("37,000") << 2026 << "37000" << 0 << "1410";
        QTest::newRow("a fen before the end") << 2026 << "38566.66" << 0 << "0.01";
        QTest::newRow("at the start") << 2026 << "36000" << 0 << "";
        QTest::newRow("at the end") << 2026 << "38566.67" << 0 << "";
        QTest::newRow("combined") << 2026 << "37000" << 1 << "";
        QTest::newRow("2028 combined by law") << 2028 << "37000" << 0 << "";
    }
    void bonusInACliff()
    {
        QFETCH(int, year);
        QFETCH(QString, bonus);
        QFETCH(int, treatment);
        QFETCH(QString, loss);
        YearPlanInput in = Employee(year, "10000", bonus.toUtf8().constData());
        in.bonusMonth = 6;
        in.bonusTreatment = treatment ? BonusTreatment::Combined : BonusTreatment::Separate;
        const auto found = BonusCliffLossOf(PlanYear(in));
        QCOMPARE(found.has_value(), !loss.isEmpty());
        if (!found)
            return;
        QCOMPARE(found->month, 6);
        QCOMPARE(found->cliff.start, M("36000"));
        QCOMPARE(found->loss, M(loss.toStdString()));
    }

    // A month's contributions for the tax, worked by hand on the wage as the base (social
    // insurance 10.5 %), the city's average wage 10,000 unless said: each side's fund is tax free
    // up to 12 % of its base, the base counted at most 30,000; the employee's annuity is
    // deducted up to 4 % of its base, likewise capped.
    void contributionsForTheTax_data()
    {
        QTest::addColumn<QString>("wage");
        QTest::addColumn<int>("fund");          // both sides, basis points
        QTest::addColumn<int>("supplementary"); // both sides
        QTest::addColumn<int>("annuity");       // the employee's; the employer pays 8 %
        QTest::addColumn<QString>("average");
        QTest::addColumn<QString>("fundLimit");
        QTest::addColumn<QString>("fundDeducted");
        QTest::addColumn<QString>("employerIncome");
        QTest::addColumn<QString>("annuityDeducted");
        // 12 % × 20,000 = 2,400; 7 % is 1,400 on each side, all of it tax free.
        QTest::newRow("fund within 12 %") << "20000" << 700 << 0 << 0 << "10000"
                                          << "2400"
                                          << "1400"
                                          << "0"
                                          << "0";
        // 12 % + 5 % = 3,400 a side: 2,400 deducted, the employer's 1,000 above it is pay.
        QTest::newRow("supplementary above 12 %") << "20000" << 1200 << 500 << 0 << "10000"
                                                  << "2400"
                                                  << "2400"
                                                  << "1000"
                                                  << "0";
        // 12 % of 40,000 is 4,800 a side; the limit counts 30,000: 3,600.
        QTest::newRow("base above three times the average") << "40000" << 1200 << 0 << 0 << "10000"
                                                            << "3600"
                                                            << "3600"
                                                            << "1200"
                                                            << "0";
        QTest::newRow("no average given") << "40000" << 1200 << 0 << 0 << "0"
                                          << "4800"
                                          << "4800"
                                          << "0"
                                          << "0";
        // 4 % of 25,000 = 1,000, all deducted; the employer's 8 % is no income.
        QTest::newRow("annuity within 4 %") << "25000" << 700 << 0 << 400 << "10000"
                                            << "3000"
                                            << "1750"
                                            << "0"
                                            << "1000";
        QTest::newRow("annuity above 4 %") << "25000" << 700 << 0 << 800 << "10000"
                                           << "3000"
                                           << "1750"
                                           << "0"
                                           << "1000";
        // 4 % of 40,000 is 1,600 paid; 4 % of 30,000 = 1,200 deducted.
        QTest::newRow("annuity base above three times the average")
            << "40000" << 700 << 0 << 400 << "10000"
            << "3600"
            << "2800"
            << "0"
            << "1200";
    }
    void contributionsForTheTax()
    {
        QFETCH(QString, wage);
        QFETCH(int, fund);
        QFETCH(int, supplementary);
        QFETCH(int, annuity);
        QFETCH(QString, average);
        QFETCH(QString, fundLimit);
        QFETCH(QString, fundDeducted);
        QFETCH(QString, employerIncome);
        QFETCH(QString, annuityDeducted);
        ContributionSetup setup;
        setup.employee.housingFund = setup.employer.housingFund = fund;
        setup.employee.supplementaryFund = setup.employer.supplementaryFund = supplementary;
        setup.employee.annuity = annuity;
        setup.employer.annuity = 800;
        setup.localAverageWage = Q(average);
        const Contributions c = ComputeContributions(setup, Q(wage));
        const ContributionTax tax = TaxOfContributions(setup, c, {2026, 6});
        QCOMPARE(tax.fundLimit, Q(fundLimit));
        QCOMPARE(tax.employeeFundDeducted, Q(fundDeducted));
        QCOMPARE(tax.employerFundIncome, Q(employerIncome));
        QCOMPARE(tax.annuityDeducted, Q(annuityDeducted));
        QCOMPARE(tax.specialDeduction(c), c.socialInsurance() + Q(fundDeducted));
        // Every contribution leaves the pay, deducted or not.
        QCOMPARE(c.employeeTotal(), Q(wage).timesBasisPoints(1050 + fund + supplementary) +
                                        Q(wage).timesBasisPoints(annuity));
        // Before the annuity rule of 2014 nothing of it is deducted.
        QCOMPARE(TaxOfContributions(setup, c, {2013, 12}).annuityDeducted, Money());
    }

    // Worked by hand: 20,000 a month in 2026, social insurance 2,100, the fund 12 % + 5 % on
    // each side (3,400), the city's average 10,000. Deducted: 2,100 + 2,400; the employer's 1,000
    // above the limit is pay: 12 × (21,000 − 5,000 − 4,500) = 138,000 at 10 % − 2,520 = 11,280
    // (8,880 if all were tax free). Take-home 12 × (20,000 − 5,500) − 11,280 = 162,720. With an
    // annuity of 4 % (800, all deducted): 12 × 10,700 = 128,400 → 10,320, take-home 154,080.
    void aYearWithTheSupplementaryFundAndAnAnnuity_data()
    {
        QTest::addColumn<int>("annuity");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("takeHome");
        QTest::newRow("fund only") << 0 << "11280"
                                   << "162720";
        QTest::newRow("and an annuity") << 400 << "10320"
                                        << "154080";
    }
    void aYearWithTheSupplementaryFundAndAnAnnuity()
    {
        QFETCH(int, annuity);
        QFETCH(QString, tax);
        QFETCH(QString, takeHome);
        YearPlanInput in;
        in.year = 2026;
        in.wages.fill(M("20000"));
        ContributionSetup& c = in.contributions;
        c.employee.housingFund = c.employer.housingFund = 1200;
        c.employee.supplementaryFund = c.employer.supplementaryFund = 500;
        c.employee.annuity = annuity;
        c.localAverageWage = M("10000");
        const YearPlan plan = PlanYear(in);
        QCOMPARE(plan.months[0].step.month.income, M("21000"));
        QCOMPARE(plan.totals.withheld, Q(tax));
        QCOMPARE(plan.reconciliation.totalTax, Q(tax));
        QCOMPARE(plan.reconciliation.balance, Money());
        QCOMPARE(plan.totals.takeHome, Q(takeHome));
        QCOMPARE(plan.reconciliationInput.income, M("252000"));
        // The month's wage for its own take-home finds the same wage back.
        YearPlanInput january = in;
        QCOMPARE(WageForTakeHome(january, 1, plan.months[0].wageTakeHome), M("20000"));
    }

    // Worked by hand: with the bonus taxed on its own the wages' taxable income is
    // 12 × (w − 17.5 % w) − 60,000 − 60,000. It lands in the 10 % row, so the wages keep
    // 12u − (10 % × (12u − 120,000) − 2,520) = 10.8u + 14,520 with u = 82.5 % of the wage;
    // 240,000 (20,000 a month) needs u ≥ 20,877.78, a wage of 25,306.40.
    void oneWageOfTheExampleYear()
    {
        const YearPlanInput in = PlannerExample();
        const auto found = OneWageForTakeHome(in, M("20000"));
        QVERIFY(found);
        QCOMPARE(found->wage, M("25306.40"));
        QCOMPARE(found->yearWages, M("303676.80"));
        QCOMPARE(found->yearGross, M("363676.80"));
        QVERIFY(found->yearTakeHome >= M("240000"));
        QCOMPARE(found->plan.reconciliation.bracket.ratePercent, 10);
        YearPlanInput less = in;
        less.wages.fill(M("25306.39"));
        QVERIFY(WageTakeHomeAfterReconciliation(PlanYear(less)) < M("240000"));
    }

    // The smallest wage, also where a small payment at the reconciliation is let go and a
    // little more wage makes it due: every fen below the answer falls short.
    void oneWageIsTheSmallest_data()
    {
        QTest::addColumn<QString>("otherIncome");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("treatment"); // 0 separate, 1 combined
        QTest::newRow("bonus combined") << "0"
                                        << "20000" << 1;
        QTest::newRow("a refund") << "100000"
                                  << "3000" << 0;
        QTest::newRow("payment let go") << "100000"
                                        << "6500" << 0;
        QTest::newRow("payment due") << "100000"
                                     << "9000" << 0;
    }
    void oneWageIsTheSmallest()
    {
        QFETCH(QString, otherIncome);
        QFETCH(QString, target);
        QFETCH(int, treatment);
        YearPlanInput in = PlannerExample();
        in.bonusTreatment = treatment ? BonusTreatment::Combined : BonusTreatment::Separate;
        if (otherIncome != "0") {
            in.bonus = Money();
            in.special = {};
            in.firstMonthEmployed = 7;
            in.otherIncome = M(otherIncome.toStdString());
            in.otherWithheld = M("5000");
        }
        const Money goal = M(target.toStdString()).times(13 - in.firstMonthEmployed);
        const auto found = OneWageForTakeHome(in, M(target.toStdString()));
        QVERIFY(found);
        auto takeHome = [&](Money w) {
            YearPlanInput year = in;
            year.wages.fill(w);
            return WageTakeHomeAfterReconciliation(PlanYear(year));
        };
        QVERIFY(takeHome(found->wage) >= goal);
        for (Money w = found->wage - M("1"); w < found->wage; w += Money::Fen(1))
            QVERIFY(takeHome(w) < goal);
        for (Money w = found->wage - M("1"); w > Money(); w -= M("7.31"))
            QVERIFY(takeHome(w) < goal);
    }
};

QTEST_APPLESS_MAIN(TestLawPlanning)
#include "test_law_planning.moc"
