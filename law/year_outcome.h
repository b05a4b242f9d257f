// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <optional>

namespace tallyra::law {

// What the reconciliation settles: its balance (to pay above zero, refunded below zero), or
// nothing where the law lets a small payment go.
Money SettledAtReconciliation(const ReconciliationResult& reconciliation);

// The year's take-home once the reconciliation has refunded or collected its balance: the
// months' take-home less what is settled.
Money TakeHomeAfterReconciliation(const YearPlan& plan);

// The wages' part of it, the bonus apart: a bonus taxed on its own keeps its own tax; a bonus
// taxed with the wages is counted at its gross, the extra tax it causes borne by the wages (as
// the month-by-month take-home of the wages counts it).
Money WageTakeHomeAfterReconciliation(const YearPlan& plan);

// The housing fund paid in the year into the employee's account, by each side, ordinary and
// supplementary together. It is the
// employee's money (for a home, or paid out at retirement), so offers are compared with it.
struct HousingFundOfYear {
    Money employee;
    Money employer;
    Money total() const { return employee + employer; }
};
HousingFundOfYear HousingFundOf(const YearPlan& plan);

// The year's take-home after the reconciliation with the housing fund of both sides added.
Money IncomeWithHousingFund(const YearPlan& plan);

// A bonus taxed on its own that lies inside a cliff: it takes home `loss` less than a bonus of
// the cliff's start would.
struct BonusCliffLoss {
    int month = 0;
    BonusCliff cliff;
    Money loss;
};
// None without a bonus, for a bonus taxed with the wages (no cliff there) or outside a cliff.
std::optional<BonusCliffLoss> BonusCliffLossOf(const YearPlan& plan);

// The reconciliation with the bonus under the other treatment than the one the year applied
// (the taxpayer chooses again at the reconciliation): its figures and how much less tax it
// comes to (zero or below: it does not pay less).
struct OtherBonusTreatment {
    BonusTreatment treatment = BonusTreatment::Combined;
    ReconciliationResult reconciliation;
    Money saving; // the applied treatment's total tax − the other's
};
// None without a bonus or where the year allows only one treatment.
std::optional<OtherBonusTreatment> OtherTreatmentAtReconciliation(const YearPlan& plan);

// The year's tax after the reconciliation with the better of the treatments allowed, and that
// treatment (the applied one on a tie).
struct LeastYearTax {
    BonusTreatment treatment = BonusTreatment::Combined;
    Money tax;
};
LeastYearTax LeastTaxAtReconciliation(const YearPlan& plan);

} // namespace tallyra::law
