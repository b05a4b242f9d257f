// SPDX-License-Identifier: GPL-3.0-or-later
// Planning a year: what the year comes to after the reconciliation.
#include "law/year_outcome.h"
#include "tests/law/law_test_support.h"

#include <QTest>

#include <stdexcept>

using namespace tallyra::law;
using law_test::M;

namespace {

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

} // namespace

class TestLawPlanning : public QObject {
    Q_OBJECT

private slots:
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

};

QTEST_APPLESS_MAIN(TestLawPlanning)
#include "test_law_planning.moc"
