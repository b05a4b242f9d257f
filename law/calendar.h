// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tallyra::law {

// A day of the civil calendar; laws take effect on a day.
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    constexpr long key() const { return year * 10000L + month * 100L + day; }
};

// The month a wage belongs to (所属期).
struct YearMonth {
    int year = 0;
    int month = 0; // 1-12
    constexpr CivilDate firstDay() const { return {year, month, 1}; }
    constexpr long key() const { return year * 100L + month; }
};

// Plain comparisons rather than <=>: Qt's moc cannot read the <compare> header.
#define TALLYRA_LAW_ORDERED(Type)                                                                  \
    constexpr bool operator==(const Type& a, const Type& b)                                        \
    {                                                                                              \
        return a.key() == b.key();                                                                 \
    }                                                                                              \
    constexpr bool operator!=(const Type& a, const Type& b)                                        \
    {                                                                                              \
        return a.key() != b.key();                                                                 \
    }                                                                                              \
    constexpr bool operator<(const Type& a, const Type& b)                                         \
    {                                                                                              \
        return a.key() < b.key();                                                                  \
    }                                                                                              \
    constexpr bool operator<=(const Type& a, const Type& b)                                        \
    {                                                                                              \
        return a.key() <= b.key();                                                                 \
    }                                                                                              \
    constexpr bool operator>(const Type& a, const Type& b)                                         \
    {                                                                                              \
        return a.key() > b.key();                                                                  \
    }                                                                                              \
    constexpr bool operator>=(const Type& a, const Type& b)                                        \
    {                                                                                              \
        return a.key() >= b.key();                                                                 \
    }
TALLYRA_LAW_ORDERED(CivilDate)
TALLYRA_LAW_ORDERED(YearMonth)
#undef TALLYRA_LAW_ORDERED

bool IsValidDate(const CivilDate& date);
CivilDate DayBefore(const CivilDate& date);

// "2026-03": four digits, a hyphen, two digits, month 01-12. Nothing else is accepted.
std::optional<YearMonth> ParseYearMonth(std::string_view text);
std::string ToString(const YearMonth& period);
std::string ToString(const CivilDate& date);

} // namespace tallyra::law
