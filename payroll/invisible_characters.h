// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyra::payroll {

// Characters that show as nothing or as a blank, so two cells that look the same may differ
// in them: control characters (Unicode's Cc), blanks (White_Space) and the zero-width and
// other default-ignorable characters (Default_Ignorable_Code_Point).
bool IsControl(char32_t c);
bool IsInvisible(char32_t c);

// The next code point of valid UTF-8 text at `i`, which moves past it.
char32_t NextCodePoint(std::string_view text, std::size_t& i);

// True when the UTF-8 text holds a control character.
bool HasControl(std::string_view text);
// True when it holds a control character or an invisible one other than the ordinary space.
bool HasInvisibleOtherThanSpace(std::string_view text);

// A header cell as it is matched against the known column names: full-width ASCII (what a
// Chinese input method types, ６ for 6) folded to ASCII, every invisible character removed.
std::string NormalizedColumnName(std::string_view name);

// A cell as a message shows it: every invisible character but the space escaped (\t, \n, \r,
// \x1B, \u200B), at most `limit` characters, cut with "…" (an escape is never cut in two).
inline constexpr std::size_t kShownCellLength = 80;
std::string ShownText(std::string_view text, std::size_t limit = kShownCellLength);
// The same between Chinese quotation marks: “…”.
inline std::string Quoted(std::string_view text)
{
    return "“" + ShownText(text) + "”";
}

} // namespace tallyra::payroll
