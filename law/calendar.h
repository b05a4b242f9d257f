#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace tallyra::law {

// A day of the civil calendar; laws take effect on a day.
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend constexpr auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

// The month a wage belongs to (所属期).
struct YearMonth {
    int year = 0;
    int month = 0; // 1-12
    friend constexpr auto operator<=>(const YearMonth&, const YearMonth&) = default;
    constexpr CivilDate firstDay() const { return {year, month, 1}; }
};

bool IsValidDate(const CivilDate& date);
CivilDate DayBefore(const CivilDate& date);

// "2026-03": four digits, a hyphen, two digits, month 01-12. Nothing else is accepted.
std::optional<YearMonth> ParseYearMonth(std::string_view text);
std::string ToString(const YearMonth& period);
std::string ToString(const CivilDate& date);

} // namespace tallyra::law
