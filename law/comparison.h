// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/laws.h"
#include "law/money.h"

#include <vector>

namespace tallyra::law {

// The same monthly wage for a whole year under each law since 1994.
struct LawComparisonRow {
    const WageLaw* law;
    Money firstMonthTax; // January's tax (the same every month before 2019)
    Money yearTax;
    Money yearTakeHome; // 12 × (wage − contributions) − yearTax
};

// `specialAdditional` counts only under the laws that have it (from 2019).
std::vector<LawComparisonRow> SameWageUnderEveryLaw(Money monthlyWage, Money monthlyContributions,
                                                    Money monthlySpecialAdditional = Money());

} // namespace tallyra::law
