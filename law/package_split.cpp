// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/package_split.h"

#include "law/split_search.h"
#include "law/year_outcome.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace tallyra::law {

namespace {

int MonthsEmployed(const YearPlanInput& input)
{
    return 13 - input.firstMonthEmployed;
}

PackageSplit Describe(const YearPlan& plan, const YearPlanInput& input)
{
    PackageSplit split;
    const int first = input.firstMonthEmployed;
    split.monthlyWage = input.wages[first - 1];
    for (int m = first; m <= 12; ++m)
        if (input.wages[m - 1] != *split.monthlyWage)
            split.monthlyWage.reset();
    split.yearWages = plan.totals.wages;
    split.bonus = plan.totals.bonus;
    const LeastYearTax least = LeastTaxAtReconciliation(plan);
    split.treatment = least.treatment;
    split.tax = least.tax;
    split.employeeContributions = plan.totals.employeeContributions;
    split.takeHome = split.yearWages + split.bonus - split.employeeContributions - split.tax;
    split.employerCost = plan.totals.employerCost;
    return split;
}

// Less tax first, then the larger wage.
bool Better(const PackageSplit& a, const PackageSplit& b)
{
    if (a.tax != b.tax)
        return a.tax < b.tax;
    return a.yearWages > b.yearWages;
}

} // namespace

Money PackageOf(const YearPlanInput& input)
{
    Money package;
    for (int m = input.firstMonthEmployed; m <= 12; ++m)
        package += input.wages[m - 1];
    return input.bonusMonth >= input.firstMonthEmployed ? package + input.bonus : package;
}

PackageSplit SplitPackage(const YearPlanInput& input, Money package, Money wage)
{
    YearPlanInput split = input;
    split.wages.fill(wage);
    split.bonus = package - wage.times(MonthsEmployed(input));
    if (split.bonus.isNegative() || wage.isNegative())
        throw std::invalid_argument("the wages exceed the package");
    return Describe(PlanYear(split), split);
}

BestSplit FindBestSplit(const YearPlanInput& input)
{
    const YearPlan today = PlanYear(input);
    if (input.bonusMonth < input.firstMonthEmployed)
        throw std::invalid_argument("the bonus month is before the first month employed");
    BestSplit found;
    found.package = PackageOf(input);
    found.months = MonthsEmployed(input);
    found.today = Describe(today, input);

    // One split of each kind, the kind being the bonus's row in the bonus table; no bonus
    // (the remainder only) counts with the lowest row.
    const Money top = Money::Fen(found.package.fen() / found.months);
    std::map<int, PackageSplit> kinds{{0, SplitPackage(input, found.package, top)}};
    if (TaxBonusSeparately(input.year, Money()) && top > Money()) {
        const split::SeparateTax tax(input, found.package);
        for (const auto& [row, best] : split::BestWagePerBonusRow(tax)) {
            const PackageSplit split = SplitPackage(input, found.package, best.wage);
            auto [place, fresh] = kinds.try_emplace(row, split);
            if (!fresh && Better(split, place->second))
                place->second = split;
        }
    }
    std::vector<PackageSplit> ranked;
    for (const auto& [row, split] : kinds)
        ranked.push_back(split);
    std::sort(ranked.begin(), ranked.end(), Better);
    found.best = ranked.front();
    for (std::size_t i = 1; i < ranked.size() && found.runnersUp.size() < 2; ++i)
        found.runnersUp.push_back(ranked[i]);
    return found;
}

} // namespace tallyra::law
