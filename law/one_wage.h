// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <optional>

namespace tallyra::law {

// One wage for a whole year: the same wage in every month employed whose year's take-home of
// the wages after the reconciliation (WageTakeHomeAfterReconciliation: the bonus as typed stays
// apart) averages at least the target over the months employed.
struct OneWage {
    Money wage;         // the smallest such wage, to the fen
    Money yearWages;    // months employed × wage
    Money yearGross;    // the wages and the bonus
    Money yearTakeHome; // the wages' take-home after the reconciliation
    YearPlan plan;      // the year with that wage
};

// None if no wage within 64 bits reaches it. Throws as PlanYear does.
std::optional<OneWage> OneWageForTakeHome(const YearPlanInput& input, Money target);

} // namespace tallyra::law
