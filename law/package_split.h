// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <optional>
#include <vector>

namespace tallyra::law {

// The year's pay at this employer as one package: the wages of the months employed and the
// annual bonus, before tax and contributions.
Money PackageOf(const YearPlanInput& input);

// One way of paying a package, with what the year comes to after the reconciliation.
struct PackageSplit {
    std::optional<Money> monthlyWage; // the same wage in every month employed; none if they differ
    Money yearWages;
    Money bonus;
    BonusTreatment treatment =
        BonusTreatment::Combined; // the one with less tax at the reconciliation
    Money tax;                    // the year's tax after the reconciliation under that treatment
    Money employeeContributions;  // the year's social insurance and housing fund of the employee
    Money takeHome;               // the package − contributions − tax
    Money employerCost;
};

// The least-tax split of today's package into the same wage for each of the n months employed
// and one bonus, everything else (bonus month, bases, deductions, other income) as given.
//
// The wage is a whole number of fen and the bonus takes what remains: bonus = package − n ×
// wage, so a package that does not divide by n into whole fen leaves its remainder (under n
// fen) to the bonus even in the split called "no bonus" (wage = ⌊package ÷ n⌋).
//
// The tax compared is the reconciliation's, each treatment of the bonus allowed in the year
// considered and the better one taken; a small payment the law lets go is not counted as a
// saving (it depends on what was withheld, not on the split). On equal tax the larger wage is
// preferred. Exact to the fen: see package_split.cpp for why the search needs only the fen
// near each breakpoint.
struct BestSplit {
    Money package;
    int months = 12;
    PackageSplit best;
    // The next two best splits, each the best with its bonus in another row of the bonus table
    // than the splits before it (no bonus counts with the lowest row). Fewer where there are
    // no such rows: only the combined treatment allowed (the split then moves the tax only
    // through the contributions), or a package too small to reach them.
    std::vector<PackageSplit> runnersUp;
    PackageSplit today;
    Money saving() const { return today.tax - best.tax; }
};

// Throws std::invalid_argument as PlanYear does, and for a bonus month before the first month
// employed or employee's rates on a base that add up to 100 % or more.
BestSplit FindBestSplit(const YearPlanInput& input);

// The package split as asked: `wage` in every month employed and the rest as the bonus.
PackageSplit SplitPackage(const YearPlanInput& input, Money package, Money wage);

} // namespace tallyra::law
