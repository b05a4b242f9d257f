// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/calendar.h"

#include <optional>
#include <span>
#include <string>

namespace tallyra::law {

// Where a legal figure is written: the document, the article in it, the words that state the
// figure (quoted or summed up), and an address where the text can be read. Empty parts are "".
struct LegalSource {
    const char* document;
    const char* article = "";
    const char* words = "";
    const char* address = "";
};

// The citation as the planner shows it: "document article：words；address", without the parts
// that are empty.
std::string CitationOf(const LegalSource& source);

// One value of a legal figure and the day it applies from. It applies until the day before the
// next value of its series; the last value applies until a later entry is added.
template <typename T> struct DatedValue {
    CivilDate from;
    T value;
    LegalSource source;
};

// One legal figure as it has changed over time, in the manner of OpenFisca's parameters: every
// value with the day it applies from and its source, oldest first, and the day the whole series
// was last checked against its sources. A rule that ends is a series of bool whose last value is
// false; there is no other way of dating.
template <typename T> struct LegalSeries {
    const char* name; // what the figure is, in a few words
    CivilDate checkedOn;
    std::span<const DatedValue<T>> values;

    // The value that applies on a day; none before the first.
    constexpr const DatedValue<T>* on(const CivilDate& day) const
    {
        for (std::size_t i = values.size(); i > 0; --i)
            if (values[i - 1].from <= day)
                return &values[i - 1];
        return nullptr;
    }
    constexpr const DatedValue<T>* inMonth(const YearMonth& month) const
    {
        return on(month.firstDay());
    }
    // An annual figure counts for a tax year when it applies on the year's last day (a cap that
    // starts in July counts for that year's reconciliation).
    constexpr const DatedValue<T>* forTaxYear(int year) const { return on({year, 12, 31}); }

    constexpr const DatedValue<T>& first() const { return values.front(); }
    constexpr const DatedValue<T>& latest() const { return values.back(); }

    // The value after `value` in the series, or none for the latest.
    constexpr const DatedValue<T>* next(const DatedValue<T>& value) const
    {
        const std::size_t i = static_cast<std::size_t>(&value - values.data());
        return i + 1 < values.size() ? &values[i + 1] : nullptr;
    }
    // The last day `value` applies, or none while it is the latest.
    std::optional<CivilDate> lastDayOf(const DatedValue<T>& value) const
    {
        const DatedValue<T>* following = next(value);
        return following ? std::optional(DayBefore(following->from)) : std::nullopt;
    }
};

// What every series must be, checked at compile time where the series is made: values on
// valid days in strictly increasing order, each with a document, and a valid checking day no
// earlier than the first value.
template <typename T> constexpr bool IsWellFormed(const LegalSeries<T>& series)
{
    if (series.values.empty() || !IsValidDate(series.checkedOn) ||
        series.checkedOn < series.values.front().from)
        return false;
    for (std::size_t i = 0; i < series.values.size(); ++i) {
        const DatedValue<T>& v = series.values[i];
        if (!IsValidDate(v.from) || v.source.document == nullptr || *v.source.document == '\0')
            return false;
        if (i > 0 && !(series.values[i - 1].from < v.from))
            return false;
    }
    return true;
}

// Makes a series, refusing at compile time one that is not well formed.
template <typename T, std::size_t N>
consteval LegalSeries<T> MakeSeries(const char* name, CivilDate checkedOn,
                                    const DatedValue<T> (&values)[N])
{
    const LegalSeries<T> series{name, checkedOn, values};
    if (!IsWellFormed(series))
        throw "a legal series needs valid days in increasing order, each value with a document";
    return series;
}

} // namespace tallyra::law
