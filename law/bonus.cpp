// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/bonus.h"

#include <stdexcept>

namespace tallyra::law {

namespace {

// The bonus table: the monthly table of the law in force since 2018-10 (unchanged since).
RateTable BonusTable()
{
    return LawFor({2019, 1})->monthlyTable;
}

Money BonusTax(Money bonus)
{
    return TaxWithRow(ChooseRow(BonusTable(), bonus, 12), bonus);
}

Money TakeHome(Money bonus)
{
    return bonus - BonusTax(bonus);
}

// The first bonus in fen above `start` that takes home at least what `start` does. Take-home
// pay rises by at least 55 fen a yuan within a row, so the answer lies within a few fen of the
// exact solution of B − (B·r − q) = target, which is searched from just below.
Money CliffEnd(Money start, const Bracket& next)
{
    const Money target = TakeHome(start);
    // B·(100 − r) = (target − q)·100  →  B = (target − q)·100 / (100 − r)
    const Money exact = Money::Fen(
        MulDivRoundHalfAway((target - next.quickDeduction).fen(), 100, 100 - next.ratePercent));
    Money b = Max(start + Money::Fen(1), exact - Money::Fen(5));
    while (TakeHome(b) < target)
        b += Money::Fen(1);
    return b;
}

} // namespace

RateTable BonusRateTable()
{
    return BonusTable();
}

std::optional<SeparateBonusTax> TaxBonusSeparately(int year, Money bonus)
{
    const DatedRule* rule = SeparateBonusRuleOn({year, 12, 31});
    if (!rule)
        return std::nullopt;
    const RowChoice row = ChooseRow(BonusTable(), bonus, 12);
    return SeparateBonusTax{row, TaxWithRow(row, bonus), rule};
}

std::vector<BonusCliff> BonusCliffs()
{
    const RateTable table = BonusTable();
    std::vector<BonusCliff> cliffs;
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        const Money start = table[i].upTo->times(12);
        cliffs.push_back(
            {static_cast<int>(i), start, CliffEnd(start, table[i + 1]), TakeHome(start)});
    }
    return cliffs;
}

std::optional<BonusCliff> CliffContaining(Money bonus)
{
    for (const BonusCliff& cliff : BonusCliffs())
        if (cliff.start < bonus && bonus < cliff.end)
            return cliff;
    return std::nullopt;
}

BonusComparison CompareBonus(int year, Money taxableWithoutBonus, Money bonus)
{
    const WageLaw* law = LawFor({year, 1});
    if (!law || law->method != WageMethod::Cumulative)
        throw std::invalid_argument("the bonus comparison applies from 2019");
    const RateTable annual = law->annualTable;
    BonusComparison c;
    c.taxableWithoutBonus = taxableWithoutBonus;
    c.bonus = bonus;
    c.combinedTotal = TaxOnTable(annual, taxableWithoutBonus + bonus);
    c.separate = TaxBonusSeparately(year, bonus);
    c.better = BonusTreatment::Combined;
    if (c.separate) {
        c.separateTotal = TaxOnTable(annual, taxableWithoutBonus) + c.separate->tax;
        c.cliff = CliffContaining(bonus);
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
