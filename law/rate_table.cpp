// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/rate_table.h"

namespace tallyra::law {

BracketChoice ChooseBracket(RateTable table, Money income, int divisor)
{
    if (income <= Money())
        return {};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Bracket& row = table[i];
        if (!row.upTo || income <= row.upTo->times(divisor))
            return {static_cast<int>(i), row.ratePercent, row.quickDeduction};
    }
    return {}; // a table always ends in an open row; kept for completeness
}

Money TaxWithBracket(const BracketChoice& choice, Money income)
{
    if (!choice.index)
        return Money();
    // The quick deduction is whole fen, so rounding the product alone rounds the difference.
    return income.timesPercent(choice.ratePercent) - choice.quickDeduction;
}

Money TaxOnTable(RateTable table, Money income)
{
    return TaxWithBracket(ChooseBracket(table, income), income);
}

} // namespace tallyra::law
