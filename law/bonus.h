// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/laws.h"
#include "law/money.h"
#include "law/rate_table.h"
#include "law/separate_tax.h"

#include <optional>
#include <vector>

namespace tallyra::law {

// The tax on an annual one-time bonus taxed on its own: bonus ÷ 12 finds the row of the
// monthly table, tax = bonus × rate − that row's quick deduction (财税〔2018〕164号 一（一）).
struct SeparateBonusTax {
    BracketChoice bracket;
    Money tax;
    const DatedValue<bool>* rule; // the entry of kSeparateBonusTaxation that allows it
};
// None where no dated entry allows the separate treatment for a bonus paid in that year.
std::optional<SeparateBonusTax> TaxBonusSeparately(int year, Money bonus);
// The same as a separately taxed amount (nothing deducted, the whole bonus taxable), as the
// payroll command writes it.
std::optional<SeparateTax> BonusTaxedApart(int year, Money bonus);
// The table whose rows bonus ÷ 12 chooses in a tax year (the latest when no year is given).
RateTable BonusRateTable(std::optional<int> taxYear = std::nullopt);
// The months the bonus is divided by in a tax year (the latest when no year is given): 12.
int BonusDivisor(std::optional<int> taxYear = std::nullopt);

// A bonus cliff: bonuses above `start` (a row's upper bound × 12) and below `end` take home
// less than `start` itself does; from `end` on the take-home is at least as much again.
struct BonusCliff {
    int row; // the row whose bound starts the cliff (0-based)
    Money start;
    Money end;
    Money takeHomeAtStart;
};
// On the bonus table of a tax year (the latest one when no year is given).
std::vector<BonusCliff> BonusCliffs(std::optional<int> taxYear = std::nullopt);
std::optional<BonusCliff> CliffContaining(Money bonus, std::optional<int> taxYear = std::nullopt);

enum class BonusTreatment { Separate, Combined };

// Separate against combined for one year: the rest of the year's comprehensive taxable income
// (after every deduction, possibly below zero) and the bonus.
struct BonusComparison {
    Money taxableWithoutBonus;
    Money bonus;
    std::optional<Money> separateTotal; // annual tax of the rest + the bonus's own tax
    std::optional<SeparateBonusTax> separate;
    Money combinedTotal; // annual tax of the rest + bonus together
    BonusTreatment better;
    Money saving;                    // how much the better treatment saves (0 on a tie)
    std::optional<BonusCliff> cliff; // when taxed separately, the cliff the bonus lies in
};
BonusComparison CompareBonus(int year, Money taxableWithoutBonus, Money bonus);

} // namespace tallyra::law
