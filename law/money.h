// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tallyra::law {

// Raised when an amount would leave the range of a 64-bit count of fen. The engine never
// wraps: a figure it cannot hold exactly is an error, not a wrong figure.
class MoneyOverflow : public std::overflow_error {
public:
    MoneyOverflow()
        : std::overflow_error("金额超出可计算的范围")
    {
    }
};

// An amount of money in whole fen (0.01 yuan). Sums, differences and products are checked;
// the only rounding is the explicit half-away-from-zero one of the percentage products, used
// where a rule says the result is rounded to the fen.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money Fen(std::int64_t fen) { return Money(fen); }
    static Money Yuan(std::int64_t yuan);

    constexpr std::int64_t fen() const { return fen_; }
    constexpr bool isNegative() const { return fen_ < 0; }
    constexpr bool isZero() const { return fen_ == 0; }

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money operator-() const;
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }
    Money times(std::int64_t factor) const;

    // amount × percent / 100 and amount × basisPoints / 10,000, rounded to the fen, half away
    // from zero.
    Money timesPercent(int percent) const;
    Money timesBasisPoints(int basisPoints) const;

    // Plain comparisons rather than <=>: Qt's moc cannot read the <compare> header.
    friend constexpr bool operator==(Money a, Money b) { return a.fen_ == b.fen_; }
    friend constexpr bool operator!=(Money a, Money b) { return a.fen_ != b.fen_; }
    friend constexpr bool operator<(Money a, Money b) { return a.fen_ < b.fen_; }
    friend constexpr bool operator<=(Money a, Money b) { return a.fen_ <= b.fen_; }
    friend constexpr bool operator>(Money a, Money b) { return a.fen_ > b.fen_; }
    friend constexpr bool operator>=(Money a, Money b) { return a.fen_ >= b.fen_; }

    // "12345.67", "-0.05", "0.00": always two decimals, no grouping.
    std::string toString() const;
    // Appends the same text without building a string (the payroll output writes millions).
    void appendTo(std::string& out) const;
    // Writes the same text at `out`, which has room for kMaxTextLength characters, and returns
    // where it ends (as std::to_chars does), for writers that put many on one line.
    static constexpr std::size_t kMaxTextLength = 22; // "-92233720368547758.08"
    char* writeTo(char* out) const;

private:
    constexpr explicit Money(std::int64_t fen)
        : fen_(fen)
    {
    }
    std::int64_t fen_ = 0;
};

constexpr Money Max(Money a, Money b)
{
    return a < b ? b : a;
}
constexpr Money Min(Money a, Money b)
{
    return a < b ? a : b;
}
constexpr Money ClampNonNegative(Money a)
{
    return a.isNegative() ? Money() : a;
}

// Reads a plain decimal amount as payroll files write it: digits, optionally a full stop and
// one or two more digits ("12000", "12000.5", "0.05"). No sign, no grouping, no exponent.
enum class MoneyTextError { None, Malformed, TooLarge };
struct ParsedMoney {
    Money value;
    MoneyTextError error = MoneyTextError::None;
    bool ok() const { return error == MoneyTextError::None; }
};
ParsedMoney ParseMoney(std::string_view text);

// a × numerator / denominator rounded half away from zero; throws MoneyOverflow when a ×
// numerator leaves 64 bits.
std::int64_t MulDivRoundHalfAway(std::int64_t a, std::int64_t numerator, std::int64_t denominator);

} // namespace tallyra::law
