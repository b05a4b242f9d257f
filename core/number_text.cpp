// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tallyra {
namespace {

// Enough digits to write any double's binary value exactly (at most 767 significant digits),
// so rounding below works on the true value and not on an already rounded one.
constexpr int kExactDigits = 800;

struct DecimalDigits {
    std::string digits; // significant digits, first one non-zero
    int exponent;       // power of ten of the first digit
};

DecimalDigits ExactDigits(double magnitude)
{
    std::array<char, kExactDigits + 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                         std::chars_format::scientific, kExactDigits);
    const std::string_view text(buffer.data(), ec == std::errc() ? end - buffer.data() : 0);
    const auto e = text.find('e');
    DecimalDigits result{std::string(1, text[0]), std::atoi(text.data() + e + 1)};
    result.digits.append(text.substr(2, e - 2));
    return result;
}

// Keeps `count` digits, rounding half away from zero: with the exact digits at hand that is
// simply "round up when the first dropped digit is 5 or more".
void RoundToDigits(DecimalDigits& d, int count)
{
    if (static_cast<int>(d.digits.size()) <= count)
        return;
    const bool roundUp = d.digits[count] >= '5';
    d.digits.resize(count);
    if (!roundUp)
        return;
    int i = count - 1;
    for (; i >= 0 && d.digits[i] == '9'; --i)
        d.digits[i] = '0';
    if (i >= 0) {
        ++d.digits[i];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exponent;
    }
}

std::string PlainDecimal(const DecimalDigits& d, std::string_view separator)
{
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int integerDigits = d.exponent + 1;
    if (integerDigits <= 0) {
        // Appended piece by piece: GCC 12 at -O3 warns falsely about "0" + std::string.
        std::string text(1, '0');
        text.append(separator).append(-integerDigits, '0').append(digits);
        return text;
    }
    if (static_cast<int>(digits.size()) <= integerDigits)
        return digits + std::string(integerDigits - digits.size(), '0');
    return digits.substr(0, integerDigits) + std::string(separator) + digits.substr(integerDigits);
}

// The value rounded half away from zero to `significantDigits` digits, in plain decimals.
std::string RoundedDecimalText(double value, int significantDigits,
                               std::string_view decimalSeparator)
{
    if (!std::isfinite(value) || value == 0.0)
        return "0";
    DecimalDigits d = ExactDigits(std::fabs(value));
    RoundToDigits(d, significantDigits);
    const std::string text = PlainDecimal(d, decimalSeparator);
    return value < 0 ? "-" + text : text;
}

} // namespace

std::string SingleToText(float value, std::string_view decimalSeparator)
{
    return RoundedDecimalText(static_cast<double>(value), 7, decimalSeparator);
}

std::string DoubleToText(double value, std::string_view decimalSeparator)
{
    return RoundedDecimalText(value, 15, decimalSeparator);
}

std::string TwoDecimalCut(double value, std::string_view decimalSeparator)
{
    std::string text = DoubleToText(value, decimalSeparator);
    const auto stop = text.find('.');
    if (stop != std::string::npos && stop + 3 < text.size())
        text.resize(stop + 3);
    return text;
}

} // namespace tallyra
