// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace tallyra {

// The one numeric test and number reading of the program, used wherever a text is tested or
// read. A text is numeric when the user's locale reads the whole of it as a number: blanks
// around it, digit-group separators, a sign, decimals and an exponent are allowed. Full-width
// digits, signs and points, as a Chinese input method types them, count as their ASCII forms.
// Not numeric: the empty text, blanks only, anything the locale does not take whole,
// infinities, NaN and any value beyond the single-precision range, so every text that passes
// also converts.
std::optional<float> ReadSingle(const QString& text);
bool IsNumeric(const QString& text);

// The same test, the value kept at double precision: a number held as text enters the
// arithmetic this way.
std::optional<double> ReadDouble(const QString& text);

// Full-width forms (U+FF01-U+FF5E: digits, signs, stops, commas, letters), as a Chinese input
// method types them, as their ASCII twins, and the ideographic space as a space.
QString FoldFullWidth(const QString& text);

// The number texts with the locale's decimal separator.
QString SingleText(float value);
QString DoubleText(double value);
QString TwoDecimalCutText(double value);

} // namespace tallyra
