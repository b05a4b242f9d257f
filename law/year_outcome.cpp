// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/year_outcome.h"

namespace tallyra::law {

Money SettledAtReconciliation(const ReconciliationResult& reconciliation)
{
    return reconciliation.paymentExempt ? Money() : reconciliation.balance;
}

Money TakeHomeAfterReconciliation(const YearPlan& plan)
{
    return plan.totals.takeHome - SettledAtReconciliation(plan.reconciliation);
}

Money WageTakeHomeAfterReconciliation(const YearPlan& plan)
{
    return TakeHomeAfterReconciliation(plan) - plan.totals.bonus + plan.totals.bonusTax;
}

HousingFundOfYear HousingFundOf(const YearPlan& plan)
{
    HousingFundOfYear fund;
    for (const MonthPlan& month : plan.months) {
        fund.employee += month.contributions.employeeFund();
        fund.employer += month.contributions.employerFund();
    }
    return fund;
}

Money IncomeWithHousingFund(const YearPlan& plan)
{
    return TakeHomeAfterReconciliation(plan) + HousingFundOf(plan).total();
}

std::optional<BonusCliffLoss> BonusCliffLossOf(const YearPlan& plan)
{
    if (plan.bonusTreatment != BonusTreatment::Separate || plan.totals.bonus.isZero())
        return std::nullopt;
    const std::optional<BonusCliff> cliff = CliffContaining(plan.totals.bonus);
    if (!cliff)
        return std::nullopt;
    for (const MonthPlan& month : plan.months)
        if (!month.bonus.isZero()) {
            const Money takeHome = month.bonus - month.bonusTax;
            return BonusCliffLoss{month.month, *cliff, cliff->takeHomeAtStart - takeHome};
        }
    return std::nullopt;
}

std::optional<OtherBonusTreatment> OtherTreatmentAtReconciliation(const YearPlan& plan)
{
    const Money bonus = plan.totals.bonus;
    const int year = plan.reconciliationInput.year;
    if (bonus.isZero() || !TaxBonusSeparately(year, bonus))
        return std::nullopt;
    ReconciliationInput other = plan.reconciliationInput;
    OtherBonusTreatment found;
    if (plan.bonusTreatment == BonusTreatment::Separate) {
        found.treatment = BonusTreatment::Combined;
        other.separateBonus.reset();
        other.income += bonus;
    } else {
        found.treatment = BonusTreatment::Separate;
        other.separateBonus = bonus;
        other.income -= bonus;
    }
    found.reconciliation = Reconcile(other);
    found.saving = plan.reconciliation.totalTax - found.reconciliation.totalTax;
    return found;
}

LeastYearTax LeastTaxAtReconciliation(const YearPlan& plan)
{
    LeastYearTax least{plan.bonusTreatment, plan.reconciliation.totalTax};
    if (const auto other = OtherTreatmentAtReconciliation(plan); other && other->saving > Money())
        least = {other->treatment, other->reconciliation.totalTax};
    return least;
}

} // namespace tallyra::law
