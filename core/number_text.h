// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tallyra {

// Number texts, the one way a figure is written into a box: the value rounded to a number of
// significant digits, half away from zero (as money is counted, not printf's ties-to-even), in
// plain decimal notation: no grouping, no trailing zeros, no exponent. Values of ten million
// and more are written out in full with zeros after the kept digits (12345678 as a single
// reads "12345680"), so a payroll clerk never meets an exponent; tiny values likewise get
// leading zeros after the separator. Non-finite values are never shown; they write "0".

// At most 7 significant digits: the text of a single-precision figure.
std::string SingleToText(float value, std::string_view decimalSeparator = ".");

// At most 15 significant digits: the text of a double-precision figure.
std::string DoubleToText(double value, std::string_view decimalSeparator = ".");

// The double text cut off two characters after its first full stop, without rounding. The
// full stop is looked for whatever the separator is; a text without one is kept whole.
std::string TwoDecimalCut(double value, std::string_view decimalSeparator = ".");

} // namespace tallyra
