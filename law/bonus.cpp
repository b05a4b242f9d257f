// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/bonus.h"

#include <stdexcept>

namespace tallyra::law {

namespace {

// The table a bonus ÷ 12 (kBonusDivisorMonths) is looked up in: the year's, or the latest.
RateTable BonusTable(std::optional<int> taxYear)
{
    const DatedValue<RateTable>* table =
        taxYear ? kBonusRateTable.forTaxYear(*taxYear) : &kBonusRateTable.latest();
    return table ? table->value : kBonusRateTable.first().value;
}

int Divisor(std::optional<int> taxYear)
{
    const DatedValue<int>* months =
        taxYear ? kBonusDivisorMonths.forTaxYear(*taxYear) : &kBonusDivisorMonths.latest();
    return months ? months->value : kBonusDivisorMonths.first().value;
}

// The table of a year and the months its bonus is divided by.
struct BonusRule {
    RateTable table;
    int months;
};

BonusRule RuleOf(std::optional<int> taxYear)
{
    return {BonusTable(taxYear), Divisor(taxYear)};
}

Money BonusTax(const BonusRule& rule, Money bonus)
{
    return TaxWithBracket(ChooseBracket(rule.table, bonus, rule.months), bonus);
}

Money TakeHome(const BonusRule& rule, Money bonus)
{
    return bonus - BonusTax(rule, bonus);
}

// The first bonus in fen above `start` that takes home at least what `start` does. Take-home
// pay rises by at least 55 fen a yuan within a row, so the answer lies within a few fen of the
// exact solution of B − (B·r − q) = target, which is searched from just below.
Money CliffEnd(const BonusRule& rule, Money start, const Bracket& next)
{
    const Money target = TakeHome(rule, start);
    // B·(100 − r) = (target − q)·100  →  B = (target − q)·100 / (100 − r)
    const Money exact = Money::Fen(
        MulDivRoundHalfAway((target - next.quickDeduction).fen(), 100, 100 - next.ratePercent));
    Money b = Max(start + Money::Fen(1), exact - Money::Fen(5));
    while (TakeHome(rule, b) < target)
        b += Money::Fen(1);
    return b;
}

} // namespace

RateTable BonusRateTable(std::optional<int> taxYear)
{
    return BonusTable(taxYear);
}

int BonusDivisor(std::optional<int> taxYear)
{
    return Divisor(taxYear);
}

std::optional<SeparateBonusTax> TaxBonusSeparately(int year, Money bonus)
{
    const DatedValue<bool>* rule = SeparateBonusRuleOn({year, 12, 31});
    if (!rule)
        return std::nullopt;
    const BracketChoice bracket = ChooseBracket(BonusTable(year), bonus, Divisor(year));
    return SeparateBonusTax{bracket, TaxWithBracket(bracket, bonus), rule};
}

std::optional<SeparateTax> BonusTaxedApart(int year, Money bonus)
{
    const std::optional<SeparateBonusTax> separate = TaxBonusSeparately(year, bonus);
    if (!separate)
        return std::nullopt;
    return SeparateTax{bonus, Money(), bonus, separate->bracket, separate->tax};
}

std::vector<BonusCliff> BonusCliffs(std::optional<int> taxYear)
{
    const BonusRule rule = RuleOf(taxYear);
    const RateTable& table = rule.table;
    std::vector<BonusCliff> cliffs;
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        const Money start = table[i].upTo->times(rule.months);
        cliffs.push_back({static_cast<int>(i), start, CliffEnd(rule, start, table[i + 1]),
                          TakeHome(rule, start)});
    }
    return cliffs;
}

std::optional<BonusCliff> CliffContaining(Money bonus, std::optional<int> taxYear)
{
    for (const BonusCliff& cliff : BonusCliffs(taxYear))
        if (cliff.start < bonus && bonus < cliff.end)
            return cliff;
    return std::nullopt;
}

BonusComparison CompareBonus(int year, Money taxableWithoutBonus, Money bonus)
{
    const DatedValue<RateTable>* annualTable = kAnnualRateTable.forTaxYear(year);
    if (!annualTable)
        throw std::invalid_argument("the bonus comparison applies from 2019");
    const RateTable annual = annualTable->value;
    BonusComparison c;
    c.taxableWithoutBonus = taxableWithoutBonus;
    c.bonus = bonus;
    c.combinedTotal = TaxOnTable(annual, taxableWithoutBonus + bonus);
    c.separate = TaxBonusSeparately(year, bonus);
    c.better = BonusTreatment::Combined;
    if (c.separate) {
        c.separateTotal = TaxOnTable(annual, taxableWithoutBonus) + c.separate->tax;
        c.cliff = CliffContaining(bonus, year);
        if (*c.separateTotal < c.combinedTotal) {
            c.better = BonusTreatment::Separate;
            c.saving = c.combinedTotal - *c.separateTotal;
        } else {
            c.saving = *c.separateTotal - c.combinedTotal;
        }
    }
    return c;
}

} // namespace tallyra::law
