// SPDX-License-Identifier: GPL-3.0-or-later
//
// Why looking at the fen near each breakpoint finds the exact least tax.
//
// With the wage w the same in each of the n months employed and the bonus b = package − n·w,
// the year's tax with the bonus taxed on its own is
//     T(w) = annual(R(w)) + bonusTax(b),   R(w) = K + n·(w + e(w) − d(w)),
// where d(w) is what a month deducts for the contributions (each item round(base(w) × rate),
// the housing fund and the annuity no more than their tax-free limits) and e(w) the employer's
// fund above its limit; K holds everything else of the year. Between breakpoints (a base's floor
// or cap, where a limit's base reaches three times the city's average wage, where a fund or the
// annuity crosses its limit, a row bound of the annual table or of b ÷ 12, R = 0) every row,
// clamp and limit stays the same, and moving w by L fen, where L makes every item's L × rate a
// whole number of fen and the rows' percentages of the changes of R and b whole fen too,
// changes T by the same amount everywhere inside the piece (every rounding repeats). So the
// best fen of a piece lies within its first or last L fen: walking L at a time only ever gains
// or loses that one amount. Where T falls or rises steeply, a bound on the rounding noise
// narrows that further (Reach below). R is not quite monotone (items can each round on the same
// fen), but it rises over any stretch longer than a few fen, so a bound found by bisection is exact
// beyond that slack on either side; the same holds for the limits' crossings.
#include "law/split_search.h"

#include "law/bonus.h"
#include "law/contribution_tax.h"
#include "law/parameters.h"

#include <algorithm>
#include <functional>
#include <limits>
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

// Every rate that rounds on its own as the wage moves, the tax-free limits' among them.
std::vector<int> RoundedRates(const ContributionSetup& setup, const YearMonth& period)
{
    const EmployeeRates& e = setup.employee;
    const EmployerRates& r = setup.employer;
    std::vector<int> rates{e.pension,           e.medical, e.unemployment, e.housingFund,
                           e.supplementaryFund, e.annuity, r.housingFund,  r.supplementaryFund};
    for (const LegalSeries<int>* limit : {&kHousingFundTaxFreeRate, &kAnnuityDeductibleRate})
        if (const auto* rate = limit->inMonth(period))
            rates.push_back(rate->value);
    return rates;
}

// Fen beyond which a bound found by bisection holds on either side: the rounded items can fall
// behind the wage together, by at most one fen each, and the deductions take at most their rates.
std::int64_t Slack(const ContributionSetup& setup, const YearMonth& period)
{
    const EmployeeRates& e = setup.employee;
    const std::int64_t deducted = std::int64_t(e.pension) + e.medical + e.unemployment +
                                  e.housingFund + e.supplementaryFund + e.annuity;
    if (deducted >= kBasisPoints)
        throw std::invalid_argument("employee contributions of 100 % or more of a base");
    const std::int64_t items = std::int64_t(RoundedRates(setup, period).size()) + 2;
    const std::int64_t rest = kBasisPoints - deducted;
    return (items * kBasisPoints + rest - 1) / rest + 2;
}

// The first wage in (low, high] at which `holds` differs from `holds(low)`.
std::int64_t FirstChange(std::int64_t low, std::int64_t high,
                         const std::function<bool(std::int64_t)>& holds)
{
    const bool atLow = holds(low);
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (holds(middle) == atLow ? low : high) = middle;
    }
    return high;
}

} // namespace

SeparateTax::SeparateTax(const YearPlanInput& input, Money package)
    : months_(13 - input.firstMonthEmployed)
    , firstMonth_(input.firstMonthEmployed)
    , package_(package)
    , setup_(input.contributions)
    , fixed_(PlanYear(WithoutPay(input)).reconciliationInput)
{
    const MonthShare none = share(Money());
    fixed_.income -= none.income;
    fixed_.specialDeduction -= none.specialDeduction;
    fixed_.otherDeduction -= none.otherDeduction;
}

// What the months employed add for the tax at a wage: the employer's fund above its limit, the
// deductions of the contributions (each month by its own dated rules, as the year plan does).
SeparateTax::MonthShare SeparateTax::share(Money wage) const
{
    const Contributions paid = ComputeContributions(setup_, wage);
    MonthShare year;
    for (int m = firstMonth_; m <= 12; ++m) {
        const ContributionTax tax = TaxOfContributions(setup_, paid, {fixed_.year, m});
        year.income += wage + tax.employerFundIncome;
        year.specialDeduction += tax.specialDeduction(paid);
        year.otherDeduction += tax.annuityDeducted;
    }
    return year;
}

ReconciliationResult SeparateTax::reconcile(Money wage) const
{
    ReconciliationInput year = fixed_;
    const MonthShare months = share(wage);
    year.income += months.income;
    year.specialDeduction += months.specialDeduction;
    year.otherDeduction += months.otherDeduction;
    const Money rest = bonus(wage);
    if (!rest.isZero())
        year.separateBonus = rest;
    return Reconcile(year);
}

int SeparateTax::bonusRow(Money wage) const
{
    return ChooseBracket(BonusRateTable(), bonus(wage), BonusDivisor(year())).index.value_or(-1);
}

int SeparateTax::bonusRate(Money wage) const
{
    return ChooseBracket(BonusRateTable(), bonus(wage), BonusDivisor(year())).ratePercent;
}

namespace {

// Where a base, or a limit's base capped at three times the average wage, stops following the
// wage: the wages at which the base's clamp or cap takes over.
void AddBaseBreakpoints(std::vector<std::int64_t>& points, const ContributionSetup& setup)
{
    for (const ContributionBase* base :
         {&setup.socialInsuranceBase, &setup.housingFundBase, &setup.annuityBase})
        if (!base->fixed)
            points.insert(points.end(), {base->floor.fen(), base->cap.fen()});
    if (!setup.localAverageWage.isZero())
        for (const LegalSeries<int>* multiple :
             {&kHousingFundTaxFreeBaseMultiple, &kAnnuityBaseMultiple})
            points.push_back(setup.localAverageWage.times(multiple->latest().value).fen());
}

// Where the wage's side of a monotone condition changes, looked for in each piece between the
// points found so far: the limits (a fund or the annuity below or above its tax-free part) and
// the rows of the annual table.
void AddCrossings(std::vector<std::int64_t>& points, std::int64_t top,
                  const std::vector<std::function<bool(std::int64_t)>>& conditions)
{
    std::vector<std::int64_t> ends = points;
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    for (const auto& holds : conditions)
        for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
            const std::int64_t low = std::max<std::int64_t>(ends[i], 0);
            const std::int64_t high = std::min(ends[i + 1], top);
            if (low < high && holds(low) != holds(high))
                points.push_back(FirstChange(low, high, holds));
        }
}

std::vector<std::int64_t> Breakpoints(const SeparateTax& tax)
{
    const std::int64_t top = tax.maxWage().fen();
    const ContributionSetup& setup = tax.contributions();
    std::vector<std::int64_t> points{0, top};
    AddBaseBreakpoints(points, setup);
    for (const Bracket& row : BonusRateTable())
        if (row.upTo) {
            const std::int64_t above =
                tax.package().fen() - row.upTo->times(BonusDivisor(tax.year())).fen();
            if (above > 0)
                points.push_back((above + tax.months() - 1) / tax.months());
        }
    const YearMonth december{tax.year(), 12};
    auto limits = [&](std::int64_t w) {
        const Contributions paid = ComputeContributions(setup, Money::Fen(w));
        return TaxOfContributions(setup, paid, december);
    };
    AddCrossings(points, top,
                 {[&](std::int64_t w) {
                      const ContributionTax t = limits(w);
                      return t.employeeFundDeducted < t.fundLimit;
                  },
                  [&](std::int64_t w) { return limits(w).employerFundIncome.isZero(); },
                  [&](std::int64_t w) {
                      const ContributionTax t = limits(w);
                      return t.annuityDeducted < t.annuityLimit;
                  }});
    std::vector<std::function<bool(std::int64_t)>> rows;
    rows.push_back(
        [&](std::int64_t w) { return tax.reconcile(Money::Fen(w)).taxableIncome > Money(); });
    for (const Bracket& row : LawFor({tax.year(), 12})->annualTable)
        if (row.upTo)
            rows.push_back([&tax, bound = *row.upTo](std::int64_t w) {
                return tax.reconcile(Money::Fen(w)).taxableIncome > bound;
            });
    AddCrossings(points, top, rows);
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    points.erase(std::remove_if(points.begin(), points.end(),
                                [top](std::int64_t p) { return p < 0 || p > top; }),
                 points.end());
    return points;
}

// How far into a piece from either end the best fen can lie (see the top of this file). Over
// L0 fen, a multiple of every item's own period, the year's taxable income changes exactly by ΔT
// everywhere inside the piece, so the tax is a straight line of slope S per L0 plus a rounding
// noise of at most η = n × items × a/200 + 1 fen. A fen further than 2η / |S| × L0 from the
// better end is beaten by a fen near it: that is as far as must be looked. Where the line is
// flat or nearly, the whole period L over which the rounding itself repeats (a multiple of L0
// making the rows' percentages of the changes whole fen) is looked at instead.
std::int64_t Reach(const SeparateTax& tax, std::int64_t wage, std::int64_t end)
{
    std::int64_t base = 1;
    std::int64_t items = 0;
    for (int rate : RoundedRates(tax.contributions(), {tax.year(), 12})) {
        base = std::lcm(base, kBasisPoints / std::gcd<std::int64_t>(rate, kBasisPoints));
        items += rate != 0;
    }
    if (wage + base >= end)
        return base; // a piece this short is looked at whole
    const ReconciliationResult here = tax.reconcile(Money::Fen(wage));
    const std::int64_t change =
        (tax.reconcile(Money::Fen(wage + base)).taxableIncome - here.taxableIncome).fen();
    const int annual = here.bracket.ratePercent;
    const int bonus = tax.bonusRate(Money::Fen(wage));
    const std::int64_t n = tax.months();
    // 100 × S and 200 × η, in fen.
    const std::int64_t slope = annual * change - bonus * n * base;
    const std::int64_t noise = n * items * annual + 200;
    const std::int64_t line = slope == 0
                                  ? std::numeric_limits<std::int64_t>::max()
                                  : (noise * base + std::abs(slope) - 1) / std::abs(slope) + 1;
    for (std::int64_t k = 1;; ++k) { // k = 100 always repeats
        const std::int64_t step = base * k;
        if (step >= line)
            return line;
        if (wage + step >= end || k == 100)
            return step;
        const std::int64_t shift =
            (tax.reconcile(Money::Fen(wage + step)).taxableIncome - here.taxableIncome).fen();
        if (shift * annual % 100 == 0 && n * step * bonus % 100 == 0)
            return step;
    }
}

// The wages to look at: the first and last L fen of every piece, and the slack around each
// breakpoint, as merged half-open ranges.
std::vector<std::pair<std::int64_t, std::int64_t>> Windows(const SeparateTax& tax)
{
    const std::vector<std::int64_t> points = Breakpoints(tax);
    const std::int64_t slack = Slack(tax.contributions(), {tax.year(), 12});
    std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const std::int64_t low = points[i];
        const std::int64_t high = points[i + 1];
        const std::int64_t middle = low + (high - low) / 2;
        const std::int64_t step = Reach(tax, middle, high - slack);
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
