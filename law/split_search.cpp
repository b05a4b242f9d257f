// SPDX-License-Identifier: GPL-3.0-or-later
//
// Why looking at the fen near each breakpoint finds the exact least tax.
//
// With the wage w the same in each of the n months employed and the bonus b = package − n·w,
// the year's tax with the bonus taxed on its own is
//     T(w) = annual(R(w)) + bonusTax(b),   R(w) = K + n·(w − c(w)),
// where c(w) is a month's employee contributions, each item round(base(w) × rate) with the base
// clamped between a floor and a cap, and K holds everything else of the year. Between
// breakpoints (a base's floor or cap, a row bound of the annual table or of b ÷ 12, R = 0) every
// row and clamp stays the same, and moving w by L fen, where L makes each varying item's
// L × rate a whole number of fen and the rows' percentages of the changes of R and b whole fen
// too, changes T by the same amount everywhere inside the piece (every rounding repeats). So the
// best fen of a piece lies within its first or last L fen: walking L at a time only ever gains
// or loses that one amount. R is not quite monotone (four items can each round up on the same
// fen), but it rises over any stretch longer than items ÷ (1 − their rates) fen, so a row bound
// of R found by bisection is exact beyond that slack on either side.
#include "law/split_search.h"

#include "law/bonus.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tallyra::law::split {

namespace {

constexpr std::int64_t kBasisPoints = 10'000;

YearPlanInput WithoutPay(const YearPlanInput& input)
{
    YearPlanInput none = input;
    none.wages.fill(Money());
    none.bonus = Money();
    return none;
}

// The rates of the items that follow a base, and whether the base follows the wage at `wage`.
struct BaseItems {
    const ContributionBase* base;
    std::vector<int> rates;
    bool varies(std::int64_t wage) const
    {
        if (base->fixed || wage <= base->floor.fen())
            return false;
        return base->cap.isZero() || wage < base->cap.fen();
    }
};

std::vector<BaseItems> ItemsByBase(const ContributionSetup& setup)
{
    const EmployeeRates& r = setup.employee;
    return {{&setup.socialInsuranceBase, {r.pension, r.medical, r.unemployment}},
            {&setup.housingFundBase, {r.housingFund}}};
}

// Fen beyond which a row bound of R found by bisection holds on either side.
std::int64_t Slack(const ContributionSetup& setup)
{
    std::int64_t items = 0;
    std::int64_t rates = 0;
    for (const BaseItems& group : ItemsByBase(setup))
        for (int rate : group.rates) {
            items += 1;
            rates += rate;
        }
    if (rates >= kBasisPoints)
        throw std::invalid_argument("employee contributions of 100 % or more of a base");
    const std::int64_t rest = kBasisPoints - rates;
    return (items * kBasisPoints + rest - 1) / rest + 2;
}

// The L of the piece around `wage` (see the top of this file).
std::int64_t Period(const SeparateTax& tax, std::int64_t wage)
{
    std::vector<int> varying;
    for (const BaseItems& group : ItemsByBase(tax.contributions()))
        if (group.varies(wage))
            varying.insert(varying.end(), group.rates.begin(), group.rates.end());
    std::int64_t base = 1;
    for (int rate : varying)
        base = std::lcm(base, kBasisPoints / std::gcd<std::int64_t>(rate, kBasisPoints));
    const int annual = tax.annualRate(Money::Fen(wage));
    const int bonus = tax.bonusRate(Money::Fen(wage));
    const std::int64_t n = tax.months();
    for (std::int64_t k = 1;; ++k) { // k = 100 always does
        const std::int64_t step = base * k;
        std::int64_t contributions = 0;
        for (int rate : varying)
            contributions += step * rate / kBasisPoints;
        const std::int64_t rest = n * (step - contributions);
        if (rest * annual % 100 == 0 && n * step * bonus % 100 == 0)
            return step;
    }
}

// The first wage in (low, high] at which `above` holds, given it fails at low and holds at high.
template <typename Predicate>
std::int64_t FirstAbove(std::int64_t low, std::int64_t high, Predicate above)
{
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (above(middle) ? high : low) = middle;
    }
    return high;
}

std::vector<std::int64_t> Breakpoints(const SeparateTax& tax)
{
    const std::int64_t top = tax.maxWage().fen();
    std::vector<std::int64_t> points{0, top};
    for (const BaseItems& group : ItemsByBase(tax.contributions()))
        if (!group.base->fixed)
            points.insert(points.end(), {group.base->floor.fen(), group.base->cap.fen()});
    for (const Bracket& row : BonusRateTable())
        if (row.upTo) {
            const std::int64_t above = tax.package().fen() - row.upTo->times(12).fen();
            if (above > 0)
                points.push_back((above + tax.months() - 1) / tax.months());
        }
    const RateTable annual = LawFor({tax.year(), 12})->annualTable;
    std::vector<Money> bounds{Money()};
    for (const Bracket& row : annual)
        if (row.upTo)
            bounds.push_back(*row.upTo);
    for (Money bound : bounds) {
        auto above = [&](std::int64_t w) {
            return tax.reconcile(Money::Fen(w)).taxableIncome > bound;
        };
        if (!above(0) && above(top))
            points.push_back(FirstAbove(0, top, above));
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    points.erase(std::remove_if(points.begin(), points.end(),
                                [top](std::int64_t p) { return p < 0 || p > top; }),
                 points.end());
    return points;
}

// The wages to look at: the first and last L fen of every piece, and the slack around each
// breakpoint, as merged half-open ranges.
std::vector<std::pair<std::int64_t, std::int64_t>> Windows(const SeparateTax& tax)
{
    const std::vector<std::int64_t> points = Breakpoints(tax);
    const std::int64_t slack = Slack(tax.contributions());
    std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const std::int64_t low = points[i];
        const std::int64_t high = points[i + 1];
        const std::int64_t step = Period(tax, low + (high - low) / 2);
        ranges.push_back({low - slack, low + step + slack});
        ranges.push_back({high - step - slack, high + slack});
    }
    const std::int64_t end = tax.maxWage().fen(); // the largest wage is no bonus: apart
    for (auto& [from, to] : ranges) {
        from = std::max<std::int64_t>(from, 0);
        to = std::min(to, end);
    }
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<std::int64_t, std::int64_t>> merged;
    for (const auto& range : ranges) {
        if (range.first >= range.second)
            continue;
        if (!merged.empty() && range.first <= merged.back().second)
            merged.back().second = std::max(merged.back().second, range.second);
        else
            merged.push_back(range);
    }
    return merged;
}

} // namespace

SeparateTax::SeparateTax(const YearPlanInput& input, Money package)
    : months_(13 - input.firstMonthEmployed)
    , package_(package)
    , setup_(input.contributions)
    , fixed_(PlanYear(WithoutPay(input)).reconciliationInput)
{
    fixed_.specialDeduction -= ComputeContributions(setup_, Money()).employeeTotal().times(months_);
}

ReconciliationResult SeparateTax::reconcile(Money wage) const
{
    ReconciliationInput year = fixed_;
    year.income += wage.times(months_);
    year.specialDeduction += ComputeContributions(setup_, wage).employeeTotal().times(months_);
    const Money rest = bonus(wage);
    if (!rest.isZero())
        year.separateBonus = rest;
    return Reconcile(year);
}

int SeparateTax::bonusRow(Money wage) const
{
    return ChooseRow(BonusRateTable(), bonus(wage), 12).row.value_or(-1);
}

int SeparateTax::bonusRate(Money wage) const
{
    return ChooseRow(BonusRateTable(), bonus(wage), 12).ratePercent;
}

std::map<int, Found> BestWagePerBonusRow(const SeparateTax& tax)
{
    std::map<int, Found> best;
    for (const auto& [from, to] : Windows(tax))
        for (std::int64_t w = from; w < to; ++w) {
            const Money wage = Money::Fen(w);
            const Found here{wage, tax.tax(wage)};
            auto [place, fresh] = best.try_emplace(tax.bonusRow(wage), here);
            const Found& known = place->second;
            if (!fresh && (here.tax < known.tax || (here.tax == known.tax && wage > known.wage)))
                place->second = here;
        }
    return best;
}

} // namespace tallyra::law::split
