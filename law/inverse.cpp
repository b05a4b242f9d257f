// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/inverse.h"

#include "law/contribution_tax.h"

namespace tallyra::law {

namespace {

constexpr Money kOneFen = Money::Fen(1);
// Take-home pay rises with the wage except for a few fen of rounding (each contribution and
// the tax round on their own); over this many fen it always rises.
constexpr std::int64_t kRoundingReach = 64;

} // namespace

std::optional<Money> IncomeForTakeHome(const CumulativeWithholding& yearSoFar, int month,
                                       Money target, const MonthFigures& deductions,
                                       const ContributionSetup* contributionsFromWage,
                                       Money otherIncome)
{
    auto takeHome = [&](Money income) {
        MonthFigures figures = deductions;
        figures.income = income + otherIncome;
        if (!contributionsFromWage)
            return yearSoFar.preview(month, figures).afterTax - otherIncome;
        // Every contribution leaves the pay; the tax counts them as the law does.
        const ContributionSetup& setup = *contributionsFromWage;
        const Contributions paid = ComputeContributions(setup, income);
        const ContributionTax tax = TaxOfContributions(setup, paid, {yearSoFar.year(), month});
        figures.income += tax.employerFundIncome;
        figures.specialDeduction = tax.specialDeduction(paid);
        figures.otherDeduction += tax.annuityDeducted;
        return income - paid.employeeTotal() - yearSoFar.preview(month, figures).withheld;
    };
    auto reaches = [&](Money income) { return takeHome(income) >= target; };

    Money low; // reaches(low) is false unless low is 0
    if (reaches(low))
        return low;
    Money high = Max(target, Money::Fen(100));
    try {
        while (!reaches(high)) {
            low = high;
            high = high.times(2);
        }
    } catch (const MoneyOverflow&) {
        return std::nullopt;
    }
    while (high - low > kOneFen) {
        const Money middle = low + Money::Fen((high - low).fen() / 2);
        (reaches(middle) ? high : low) = middle;
    }
    // A smaller wage can reach the target only within the rounding reach below the step found.
    Money best = high;
    for (Money w = high - kOneFen; w >= Money() && (high - w).fen() <= kRoundingReach + 1;
         w -= kOneFen)
        if (reaches(w))
            best = w;
    return best;
}

} // namespace tallyra::law
