// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/money.h"

#include <optional>
#include <span>

namespace tallyra::law {

// One row of a progressive table: taxable income up to and including `upTo` (the top row has
// no bound) at `ratePercent`, less the row's quick deduction.
struct Bracket {
    std::optional<Money> upTo;
    int ratePercent;
    Money quickDeduction;
};

using RateTable = std::span<const Bracket>;

// The bracket a taxable income falls in: the index of its row in the table (0-based), or none
// when the income is zero or less, which is taxed at 0 % with no quick deduction.
struct BracketChoice {
    std::optional<int> index;
    int ratePercent = 0;
    Money quickDeduction;
};

// The first row whose bound is not exceeded by income ÷ divisor. The division is never done:
// income is compared with bound × divisor, exactly ("不超过" includes the bound).
BracketChoice ChooseBracket(RateTable table, Money income, int divisor = 1);

// income × rate − quick deduction, rounded to the fen half away from zero; 0 at or below 0.
Money TaxOnTable(RateTable table, Money income);

// The tax in an already chosen bracket.
Money TaxWithBracket(const BracketChoice& choice, Money income);

} // namespace tallyra::law
