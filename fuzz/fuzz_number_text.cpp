// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts of arbitrary single and double bit patterns: every finite value is written as a
// plain decimal (digits, at most one separator, a leading "-" only for a negative value, never
// an exponent, "nan" or "inf") that reads back to the value within half a unit of its last
// kept digit (7 significant digits for a single, 15 for a double). Non-finite values write "0".
// The two-decimal cut is a prefix of the double text.
//
// Input: bytes 0-3 a single, bytes 4-11 a double (missing bytes are zero).
#include "core/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace tallyra;

namespace {

[[noreturn]] void fail(const char* what, double value, const std::string& text)
{
    std::fprintf(stderr, "%s: value %.17g (%a), text \"%s\"\n", what, value, value, text.c_str());
    std::abort();
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "-"? digits ("." digits)? with no leading zero before another integer digit and no trailing
// zero after the separator.
bool IsPlainDecimal(const std::string& text)
{
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t integerStart = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    const std::size_t integerDigits = i - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == '0'))
        return false;
    if (i == text.size())
        return true;
    if (text[i] != '.' || i + 1 == text.size())
        return false;
    for (++i; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
    }
    return text.back() != '0';
}

// Digits from the first non-zero one to the last non-zero one.
int SignificantDigits(const std::string& text)
{
    const auto first = text.find_first_of("123456789");
    const auto last = text.find_last_of("123456789");
    if (first == std::string::npos)
        return 0;
    int count = 0;
    for (auto i = first; i <= last; ++i)
        count += IsDigit(text[i]) ? 1 : 0;
    return count;
}

// The power of ten of the first significant digit of a positive magnitude.
int DecimalExponent(long double magnitude)
{
    int e = static_cast<int>(std::floor(std::log10(magnitude)));
    if (std::pow(10.0L, e) > magnitude)
        --e;
    else if (std::pow(10.0L, e + 1) <= magnitude)
        ++e;
    return e;
}

// Whether the value lies exactly halfway between two texts of `digits` significant digits.
// glibc's printf writes the exact binary value when given enough digits (a double has at most
// 767 significant ones).
bool IsTie(double value, int digits)
{
    char exact[832];
    std::snprintf(exact, sizeof exact, "%.800e", std::fabs(value));
    // exact: d.ddd...e±x; the digit after the kept ones sits at index digits + 1.
    const char* dropped = exact + digits + 1;
    if (*dropped != '5')
        return false;
    for (const char* c = dropped + 1; *c != 'e'; ++c) {
        if (*c != '0')
            return false;
    }
    return true;
}

void CheckText(double value, int digits, const std::string& text)
{
    if (!std::isfinite(value) || value == 0.0) {
        if (text != "0")
            fail("a non-finite or zero value must write \"0\"", value, text);
        return;
    }
    if (!IsPlainDecimal(text))
        fail("not a plain decimal", value, text);
    if (text.starts_with('-') != (value < 0.0))
        fail("sign", value, text);
    if (SignificantDigits(text) > digits)
        fail("too many significant digits", value, text);

    char* end = nullptr;
    const long double readBack = std::strtold(text.c_str(), &end);
    if (end != text.c_str() + text.size())
        fail("does not read back whole", value, text);
    // Rounding half away from zero leaves at most half a unit of the last kept digit; a tie
    // lands on exactly half. The slack covers strtold's own rounding of a long text.
    const long double exact = value;
    const long double halfUnit =
        0.5L * std::pow(10.0L, DecimalExponent(std::fabs(exact)) - (digits - 1));
    const long double slack = std::fabs(exact) * 0x1p-60L;
    if (std::fabs(readBack - exact) > halfUnit + slack)
        fail("reads back to another value", value, text);
    if (IsTie(value, digits) && !(std::fabs(readBack) > std::fabs(exact)))
        fail("a tie is not rounded away from zero", value, text);
}

std::string WithComma(std::string text)
{
    for (char& c : text) {
        if (c == '.')
            c = ',';
    }
    return text;
}

void CheckSingle(float value)
{
    const std::string text = SingleToText(value);
    CheckText(value, 7, text);
    if (SingleToText(value, ",") != WithComma(text))
        fail("the separator changes the digits", value, text);
}

void CheckDouble(double value)
{
    const std::string text = DoubleToText(value);
    CheckText(value, 15, text);
    if (DoubleToText(value, ",") != WithComma(text))
        fail("the separator changes the digits", value, text);

    const std::string cut = TwoDecimalCut(value);
    if (!text.starts_with(cut))
        fail("the two-decimal cut is not a prefix of the double text", value, cut);
    const auto stop = cut.find('.');
    if (stop != std::string::npos && cut.size() > stop + 3)
        fail("more than two decimals after the cut", value, cut);
    if (stop == std::string::npos && cut != text)
        fail("a text without a full stop is cut", value, cut);
    // Only the full stop is cut at: with another separator the text stays whole.
    if (TwoDecimalCut(value, ",") != WithComma(text))
        fail("a comma text is cut", value, cut);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    unsigned char bytes[12] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    float single;
    double wide;
    std::memcpy(&single, bytes, sizeof single);
    std::memcpy(&wide, bytes + 4, sizeof wide);

    CheckSingle(single);
    CheckDouble(wide);
    CheckDouble(single); // a single figure widened, as the contributions take their base
    if (std::isfinite(wide) && std::fabs(wide) <= 3.4028234663852886e38)
        CheckSingle(static_cast<float>(wide)); // a double figure narrowed to a single
    return 0;
}
