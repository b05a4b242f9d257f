// SPDX-License-Identifier: GPL-3.0-or-later
//
// The take-home after the reconciliation rises with the wage, but not everywhere: a small
// payment at the reconciliation is let go (at most 400, or an income of at most 120,000), so
// where the year owes a little the take-home is what was withheld, and a fen more of wage can
// make the payment due and the take-home drop. Both sides are monotone on their own: with the
// balance settled in full (f0) and with only what was withheld (fw). Which one holds changes
// only where the balance crosses 0 or 400 or the income crosses 120,000, each a single crossing
// as the wage rises; around each crossing every fen is looked at, and between them the one
// that holds is searched by bisection. Each side may dip by a few fen (the contributions round
// item by item) but rises over any stretch of kReach fen, so the fen below a bisection's step
// are looked at too.
#include "law/one_wage.h"

#include "law/year_outcome.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace tallyra::law {

namespace {

constexpr std::int64_t kReach = 64;

class WageYear {
public:
    WageYear(const YearPlanInput& input)
        : input_(input)
    {
    }
    YearPlan plan(std::int64_t wage) const
    {
        YearPlanInput year = input_;
        year.wages.fill(Money::Fen(wage));
        return PlanYear(year);
    }
    // The wages' take-home with only the tax withheld (fw), and with the balance settled (f0).
    static Money withheldOnly(const YearPlan& p)
    {
        return p.totals.takeHome - p.totals.bonus + p.totals.bonusTax;
    }
    static Money settledInFull(const YearPlan& p)
    {
        return withheldOnly(p) - p.reconciliation.balance;
    }

private:
    YearPlanInput input_;
};

using Side = std::function<Money(std::int64_t)>;

std::optional<std::int64_t> FirstReaching(std::int64_t from, std::int64_t to, const Side& side,
                                          Money goal)
{
    for (std::int64_t w = std::max<std::int64_t>(from, 0); w <= to; ++w)
        if (side(w) >= goal)
            return w;
    return std::nullopt;
}

// The smallest wage in [low, high] where `side` reaches the goal.
std::optional<std::int64_t> SmallestOn(std::int64_t low, std::int64_t high, const Side& side,
                                       Money goal)
{
    if (side(low) >= goal)
        return low;
    if (side(high) < goal)
        return FirstReaching(std::max(low, high - kReach), high, side, goal);
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (side(middle) >= goal ? high : low) = middle;
    }
    return FirstReaching(std::max(low - kReach, std::int64_t()), high, side, goal);
}

// Where a condition of the let-go changes between 0 and `top`, if it does.
void AddCrossing(std::vector<std::int64_t>& at, std::int64_t top,
                 const std::function<bool(std::int64_t)>& holds)
{
    const bool atZero = holds(0);
    if (atZero == holds(top))
        return;
    std::int64_t low = 0;
    std::int64_t high = top;
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (holds(middle) == atZero ? low : high) = middle;
    }
    at.push_back(high);
}

} // namespace

std::optional<OneWage> OneWageForTakeHome(const YearPlanInput& input, Money target)
{
    const WageYear year(input);
    const int months = 13 - input.firstMonthEmployed;
    const Money goal = target.times(months);
    auto actual = [&](std::int64_t w) { return WageTakeHomeAfterReconciliation(year.plan(w)); };
    auto full = [&](std::int64_t w) { return WageYear::settledInFull(year.plan(w)); };
    auto withheld = [&](std::int64_t w) { return WageYear::withheldOnly(year.plan(w)); };

    std::int64_t top = Max(target, Money::Fen(100)).fen();
    try {
        while (full(top) < goal || withheld(top) < goal)
            top = Money::Fen(top).times(2).fen();
    } catch (const MoneyOverflow&) {
        return std::nullopt;
    }

    std::vector<std::int64_t> crossings;
    if (SmallPaymentExemptionFor(input.year)) {
        const Money paymentLimit = kExemptPaymentLimit.forTaxYear(input.year)->value;
        const Money incomeLimit = kExemptIncomeLimit.forTaxYear(input.year)->value;
        auto balance = [&](std::int64_t w) { return year.plan(w).reconciliation.balance; };
        AddCrossing(crossings, top, [&](std::int64_t w) { return balance(w) > Money(); });
        AddCrossing(crossings, top, [&](std::int64_t w) { return balance(w) <= paymentLimit; });
        AddCrossing(crossings, top, [&](std::int64_t w) {
            return year.plan(w).reconciliation.income <= incomeLimit;
        });
    }
    std::sort(crossings.begin(), crossings.end());

    std::optional<std::int64_t> found;
    std::int64_t from = 0;
    for (std::size_t i = 0; i <= crossings.size() && !found; ++i) {
        const bool last = i == crossings.size();
        const std::int64_t near = last ? top + 1 : std::max(from, crossings[i] - kReach);
        if (from < near) { // a stretch where one side holds throughout
            const bool letGo = year.plan(from).reconciliation.paymentExempt;
            found = SmallestOn(from, near - 1, letGo ? Side(withheld) : Side(full), goal);
        }
        if (!found && !last) {
            const std::int64_t end = std::min(top, crossings[i] + kReach);
            found = FirstReaching(near, end, actual, goal);
            from = std::max(from, end + 1);
        }
    }
    if (!found)
        return std::nullopt;
    OneWage answer;
    answer.wage = Money::Fen(*found);
    answer.plan = year.plan(*found);
    answer.yearWages = answer.plan.totals.wages;
    answer.yearGross = answer.yearWages + answer.plan.totals.bonus;
    answer.yearTakeHome = WageTakeHomeAfterReconciliation(answer.plan);
    return answer;
}

} // namespace tallyra::law
