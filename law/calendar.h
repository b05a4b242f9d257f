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

constexpr bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
constexpr int DaysInMonth(int year, int month)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}
// Usable at compile time, so that the law's tables check their own dates.
constexpr bool IsValidDate(const CivilDate& date)
{
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}
CivilDate DayBefore(const CivilDate& date);

// "2026-03": four digits, a hyphen, two digits, month 01-12. Nothing else is accepted.
std::optional<YearMonth> ParseYearMonth(std::string_view text);
std::string ToString(const YearMonth& period);
std::string ToString(const CivilDate& date);

} // namespace tallyra::law
