// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>

namespace tallyra {

// One row of the progressive bracket table. The top row has no upper bound.
struct TaxBracket {
    int lowerBound;
    std::optional<int> upperBound;
    double rate;
    float quickDeduction;
};

const std::array<TaxBracket, 9>& BracketTable();

// The first row whose range holds the bracket income (the salary figure minus the threshold,
// in single precision). Rows 1-8 include both bounds, so a shared bound falls in the lower row;
// the top row takes everything above 100,000. A negative income matches no row.
std::optional<TaxBracket> SelectBracket(float bracketIncome);

} // namespace tallyra
