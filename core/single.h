// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cfloat>
#include <cmath>

namespace tallyra {

// Rounds a double to the nearest single-precision value. A value beyond the single range
// becomes an infinity of its sign instead of the undefined behaviour of a plain cast;
// callers refuse infinite figures before anything is shown.
inline float NarrowToSingle(double value)
{
    // Half a unit in the last place above FLT_MAX still rounds down to FLT_MAX.
    constexpr double kOverflowThreshold = 3.4028235677973366e38;
    if (std::isnan(value))
        return NAN;
    if (std::fabs(value) >= kOverflowThreshold)
        return value > 0 ? INFINITY : -INFINITY;
    if (std::fabs(value) > FLT_MAX)
        return value > 0 ? FLT_MAX : -FLT_MAX;
    return static_cast<float>(value);
}

} // namespace tallyra
