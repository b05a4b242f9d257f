// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/contributions.h"
#include "law/withholding.h"

#include <optional>

namespace tallyra::law {

// After-tax → pre-tax for a month of cumulative withholding: the smallest income in fen whose
// take-home pay (income − special deduction − tax withheld) reaches `target`, given the year so
// far. `deductions` holds the month's other figures; when `contributionsFromWage` is given the
// contributions follow the wage instead, counted for the tax as TaxOfContributions says, and the
// take-home is the wage less every one of them. `otherIncome` is paid in the same month besides
// the wage (a bonus taxed together with it): it counts in the cumulative income and bears no
// contributions, and the take-home measured is the wage's own, income − otherIncome − special
// deduction (all contributions) − tax withheld. None if no income within 64 bits reaches the
// target.
std::optional<Money> IncomeForTakeHome(const CumulativeWithholding& yearSoFar, int month,
                                       Money target, const MonthFigures& deductions,
                                       const ContributionSetup* contributionsFromWage = nullptr,
                                       Money otherIncome = Money());

} // namespace tallyra::law
