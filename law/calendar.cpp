// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/calendar.h"

#include <cstdio>

namespace tallyra::law {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

CivilDate DayBefore(const CivilDate& date)
{
    if (date.day > 1)
        return {date.year, date.month, date.day - 1};
    if (date.month > 1)
        return {date.year, date.month - 1, DaysInMonth(date.year, date.month - 1)};
    return {date.year - 1, 12, 31};
}

std::optional<YearMonth> ParseYearMonth(std::string_view text)
{
    if (text.size() != 7 || text[4] != '-')
        return std::nullopt;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u})
        if (!IsDigit(text[i]))
            return std::nullopt;
    const int year =
        (text[0] - '0') * 1000 + (text[1] - '0') * 100 + (text[2] - '0') * 10 + (text[3] - '0');
    const int month = (text[5] - '0') * 10 + (text[6] - '0');
    if (year < 1 || month < 1 || month > 12)
        return std::nullopt;
    return YearMonth{year, month};
}

std::string ToString(const YearMonth& period)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", period.year, period.month);
    return text;
}

std::string ToString(const CivilDate& date)
{
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

} // namespace tallyra::law
