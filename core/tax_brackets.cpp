// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tax_brackets.h"

namespace tallyra {

const std::array<TaxBracket, 9>& BracketTable()
{
    static const std::array<TaxBracket, 9> table = {{
        {0, 500, 0.05, 0.0f},
        {500, 2000, 0.10, 25.0f},
        {2000, 5000, 0.15, 125.0f},
        {5000, 20000, 0.20, 375.0f},
        {20000, 40000, 0.25, 1375.0f},
        {40000, 60000, 0.30, 3375.0f},
        {60000, 80000, 0.35, 6375.0f},
        {80000, 100000, 0.40, 10375.0f},
        {100000, std::nullopt, 0.45, 15375.0f},
    }};
    return table;
}

std::optional<TaxBracket> SelectBracket(float bracketIncome)
{
    // The bounds are whole numbers, exact in single precision, so the comparison is exact.
    for (const TaxBracket& row : BracketTable()) {
        if (row.upperBound) {
            if (static_cast<float>(row.lowerBound) <= bracketIncome &&
                bracketIncome <= static_cast<float>(*row.upperBound))
                return row;
        } else if (bracketIncome > static_cast<float>(row.lowerBound)) {
            return row;
        }
    }
    return std::nullopt;
}

} // namespace tallyra
