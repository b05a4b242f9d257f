// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/invisible_characters.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace tallyra::payroll {

namespace {

struct Range {
    char32_t first, last;
};

// Unicode 15's White_Space and Default_Ignorable_Code_Point, in order.
constexpr Range kInvisible[] = {
    {0x0009, 0x000D},   {0x0020, 0x0020},   {0x0085, 0x0085},   {0x00A0, 0x00A0}, {0x00AD, 0x00AD},
    {0x034F, 0x034F},   {0x061C, 0x061C},   {0x115F, 0x1160},   {0x1680, 0x1680}, {0x17B4, 0x17B5},
    {0x180B, 0x180F},   {0x2000, 0x200F},   {0x2028, 0x202F},   {0x205F, 0x206F}, {0x3000, 0x3000},
    {0x3164, 0x3164},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8},
    {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

constexpr char32_t kFullWidthFirst = 0xFF01; // ！, full-width "!"
constexpr char32_t kFullWidthLast = 0xFF5E;  // ～, full-width "~"
constexpr char32_t kFullWidthOffset = 0xFEE0;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// How a message shows one character: itself, or an escape anyone can read and type.
std::string Shown(char32_t c)
{
    switch (c) {
    case '\t':
        return "\\t";
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    default:
        break;
    }
    if (c == ' ' || !IsInvisible(c)) {
        std::string text;
        AppendUtf8(text, c);
        return text;
    }
    char escape[16];
    if (c < 0x80)
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(c));
    else if (c < 0x10000)
        std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
    else
        std::snprintf(escape, sizeof escape, "\\U%08X", static_cast<unsigned>(c));
    return escape;
}

std::size_t CharacterCount(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char byte) { return (byte & 0xC0) != 0x80; }));
}

} // namespace

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool IsInvisible(char32_t c)
{
    if (IsControl(c))
        return true;
    if (c < 0x80)
        return c == ' ';
    const auto after = std::upper_bound(std::begin(kInvisible), std::end(kInvisible), c,
                                        [](char32_t v, const Range& r) { return v < r.first; });
    return after != std::begin(kInvisible) && c <= std::prev(after)->last;
}

char32_t NextCodePoint(std::string_view text, std::size_t& i)
{
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    length = std::min<int>(length, static_cast<int>(text.size() - i));
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length; ++k)
        c = (c << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    i += static_cast<std::size_t>(length);
    return c;
}

bool HasControl(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            ++i;
            continue;
        }
        if (IsControl(NextCodePoint(text, i)))
            return true;
    }
    return false;
}

bool HasInvisibleOtherThanSpace(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F) { // printable ASCII, the space included
            ++i;
            continue;
        }
        if (IsInvisible(NextCodePoint(text, i)))
            return true;
    }
    return false;
}

std::string NormalizedColumnName(std::string_view name)
{
    std::string normalized;
    for (std::size_t i = 0; i < name.size();) {
        char32_t c = NextCodePoint(name, i);
        if (IsInvisible(c))
            continue;
        if (c >= kFullWidthFirst && c <= kFullWidthLast)
            c -= kFullWidthOffset;
        AppendUtf8(normalized, c);
    }
    return normalized;
}

std::string ShownText(std::string_view text, std::size_t limit)
{
    std::string shown;
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::string one = Shown(NextCodePoint(text, i));
        const std::size_t characters = CharacterCount(one);
        if (length + characters > limit)
            return shown + "…";
        shown += one;
        length += characters;
    }
    return shown;
}

} // namespace tallyra::payroll
