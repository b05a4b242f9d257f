// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/money.h"

#include <QString>

#include <optional>

// Amounts and rates as the year planner shows them and as people type them.
namespace tallyra::year {

// "25,000.00", "-1,234.50", "0.00": grouped by thousands, always two decimals, so that columns of
// figures line up and read alike whatever the user's locale.
QString GroupedAmount(law::Money amount);
// "25000.00": the plain form written to files (the payroll command's form).
QString PlainAmount(law::Money amount);
// An amount as a person types it back into a box: "25000", "25000.5", "0.05".
QString TypedAmount(law::Money amount);

// A legal amount in a sentence: "2,000", "1,234.50" (grouped, cents only when there are any).
QString ShortAmount(law::Money amount);
// A legal amount in 万, for a rule's name or sentence that states it so (the text adds "万"):
// 65,000 → "6.5", 1,234,500 → "123.45".
QString TenThousandYuanText(law::Money amount);
// A rate held in basis points: 800 → "8", 50 → "0.5", 1250 → "12.5".
QString RateText(int basisPoints);

// What a typed amount or rate reads as: its value, or why it is not one (a Chinese sentence for
// the line beside the field).
struct AmountReading {
    std::optional<law::Money> value;
    QString reason;
};
struct RateReading {
    std::optional<int> basisPoints;
    QString reason;
};

// The largest amount a box takes: a year of such a wage is still computed exactly.
inline constexpr law::Money kLargestAmount = law::Money::Fen(10'000'000'000'00); // 100 亿元

// Reads an amount in yuan: digits with at most two decimals, grouping commas and full-width
// digits allowed, no sign; or in 万 as people say salaries ("1.8万" is 18,000), to the fen. An
// empty text reads as `empty` when given, else it is refused.
AmountReading ReadAmount(const QString& text, std::optional<law::Money> empty = std::nullopt);
// Reads an amount as the planner writes it to a file, in yuan only: a "万" there is not the
// planner's and is refused, as any damage to the file is.
AmountReading ReadStoredAmount(const QString& text);

// Reads a percentage with at most two decimals, between `lowest` and `highest` basis points;
// `alsoZero` allows 0 below `lowest` (a contribution not paid at all).
RateReading ReadRate(const QString& text, int lowest, int highest, bool alsoZero = false);

} // namespace tallyra::year
