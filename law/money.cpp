// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/money.h"

#include <array>
#include <bit>
#include <cstring>

namespace tallyra::law {

Money Money::Yuan(std::int64_t yuan)
{
    return Money(1).times(yuan).times(100);
}

Money Money::operator+(Money other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(fen_, other.fen_, &sum))
        throw MoneyOverflow();
    return Money(sum);
}

Money Money::operator-(Money other) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(fen_, other.fen_, &difference))
        throw MoneyOverflow();
    return Money(difference);
}

Money Money::operator-() const
{
    return Money() - *this;
}

Money Money::times(std::int64_t factor) const
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(fen_, factor, &product))
        throw MoneyOverflow();
    return Money(product);
}

std::int64_t MulDivRoundHalfAway(std::int64_t a, std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, numerator, &product))
        throw MoneyOverflow();
    const std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator; // same sign as product
    // Twice the remainder against the divisor decides; |remainder| < |denominator| keeps it small.
    const std::int64_t twice = remainder < 0 ? -remainder * 2 : remainder * 2;
    const std::int64_t divisor = denominator < 0 ? -denominator : denominator;
    if (twice < divisor)
        return quotient;
    const bool negative = (product < 0) != (denominator < 0);
    return negative ? quotient - 1 : quotient + 1;
}

Money Money::timesPercent(int percent) const
{
    return Money(MulDivRoundHalfAway(fen_, percent, 100));
}

Money Money::timesBasisPoints(int basisPoints) const
{
    return Money(MulDivRoundHalfAway(fen_, basisPoints, 10000));
}

namespace {

// "00" to "99": two digits at a time, half the divisions.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233"
    "34353637383940414243444546474849505152535455565758596061626364656667"
    "6869707172737475767778798081828384858687888990919293949596979899";

// 10^0 to 10^19, every power of ten below 2^64.
constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 10;
    return powers;
}();

// The count of decimal digits, 1 for zero: log10 from the bit width (1233 / 4096 is just above
// log10 2), corrected by one comparison. A payroll file prints a dozen of these per row.
int DecimalDigits(std::uint64_t value)
{
    const std::uint64_t odd = value | 1; // as many digits; zero counts as one
    const int estimate = (std::bit_width(odd) * 1233) >> 12;
    return estimate + 1 - (odd < kPowersOfTen[static_cast<std::size_t>(estimate)] ? 1 : 0);
}

} // namespace

char* Money::writeTo(char* out) const
{
    // Unsigned magnitude so that the most negative count of fen prints too. The yuan's digits
    // are counted first, so that the text is written in place from its end.
    const std::uint64_t magnitude =
        fen_ < 0 ? 0 - static_cast<std::uint64_t>(fen_) : static_cast<std::uint64_t>(fen_);
    std::uint64_t yuan = magnitude / 100;
    const int digits = DecimalDigits(yuan);
    if (fen_ < 0)
        *out++ = '-';
    char* const end = out + digits + 3;
    char* p = end - 2;
    std::memcpy(p, kDigitPairs + 2 * (magnitude % 100), 2);
    *--p = '.';
    while (yuan >= 100) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (yuan % 100), 2);
        yuan /= 100;
    }
    if (yuan >= 10) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * yuan, 2);
    } else {
        *--p = static_cast<char>('0' + yuan);
    }
    return end;
}

void Money::appendTo(std::string& out) const
{
    char text[kMaxTextLength];
    out.append(text, static_cast<std::size_t>(writeTo(text) - text));
}

std::string Money::toString() const
{
    std::string text;
    appendTo(text);
    return text;
}

namespace {

// A text this short holds at most 16 digits, 18 with the fen added: below 10^18, so its count
// of fen cannot pass 64 bits and needs no check digit by digit.
constexpr std::size_t kShortMoneyText = 16;

template <bool kCheckOverflow> ParsedMoney ParseFen(std::string_view text)
{
    constexpr std::int64_t kLimit = INT64_MAX;
    std::size_t i = 0;
    std::int64_t fen = 0;
    bool tooLarge = false;
    auto addDigit = [&](char c) {
        if constexpr (!kCheckOverflow) {
            fen = fen * 10 + (c - '0');
            return;
        }
        std::int64_t next = 0;
        if (__builtin_mul_overflow(fen, 10, &next) ||
            __builtin_add_overflow(next, c - '0', &next) || next > kLimit)
            tooLarge = true;
        else
            fen = next;
    };
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        addDigit(text[i++]);
    if (i == 0)
        return {Money(), MoneyTextError::Malformed};
    int decimals = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && decimals < 3) {
            addDigit(text[i++]);
            ++decimals;
        }
        if (decimals == 0 || decimals > 2)
            return {Money(), MoneyTextError::Malformed};
    }
    if (i != text.size())
        return {Money(), MoneyTextError::Malformed};
    for (; decimals < 2; ++decimals)
        addDigit('0');
    if (tooLarge)
        return {Money(), MoneyTextError::TooLarge};
    return {Money::Fen(fen), MoneyTextError::None};
}

} // namespace

ParsedMoney ParseMoney(std::string_view text)
{
    return text.size() <= kShortMoneyText ? ParseFen<false>(text) : ParseFen<true>(text);
}

} // namespace tallyra::law
