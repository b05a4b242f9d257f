// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/text_encoding.h"

#include "payroll/invisible_characters.h"

#include <bit>
#include <cstdint>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace tallyra::payroll {

bool IsValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Eight ASCII bytes at a time: the common case of a payroll file. Where a word holds
        // another byte (a name, a department), the ASCII bytes before it are skipped at once.
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            const std::uint64_t high = word & 0x8080808080808080ull;
            if (high == 0) {
                p += 8;
                continue;
            }
            if constexpr (std::endian::native == std::endian::little) {
                const int ascii = std::countr_zero(high) / 8;
                if (ascii > 0) {
                    p += ascii;
                    continue;
                }
            }
        }
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0; // no overlong forms
            if (c == 0xED)
                high = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                high = 0x8F; // nothing past U+10FFFF
        } else {
            return false;
        }
        if (end - p < length || p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i)
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        p += length;
    }
    return true;
}

bool IsAscii(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; p < end; ++p)
        if (*p >= 0x80)
            return false;
    return true;
}

namespace {

bool IsChineseCharacter(char32_t c)
{
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c >= 0x20000;
}

bool IsChinesePunctuation(char32_t c)
{
    return (c >= 0x2000 && c <= 0x206F)     // general punctuation: “ ” — …
           || (c >= 0x3000 && c <= 0x303F)  // CJK punctuation: 、 。 《 》
           || (c >= 0xFF00 && c <= 0xFFEF); // full-width forms: ， ： （ ）
}

} // namespace

bool IsUtf8ChineseText(std::string_view bytes)
{
    if (!IsValidUtf8(bytes))
        return false;
    bool chinese = false;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const char32_t c = NextCodePoint(bytes, i);
        if (IsChineseCharacter(c))
            chinese = true;
        else if (!IsChinesePunctuation(c))
            return false;
    }
    return chinese;
}

#ifdef _WIN32

namespace {
constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936; // the two-byte part of GB18030, where 54936 is missing (Wine)
} // namespace

// The handle holds the code page.
Gb18030Decoder::Gb18030Decoder()
    : handle_(reinterpret_cast<void*>(
          static_cast<std::uintptr_t>(IsValidCodePage(kGb18030) ? kGb18030 : kGbk)))
{
}
Gb18030Decoder::~Gb18030Decoder() = default;
bool Gb18030Decoder::available() const
{
    return true;
}

bool Gb18030Decoder::decode(std::string_view in, std::string& out)
{
    out.clear();
    if (in.empty())
        return true;
    const UINT codePage = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(handle_));
    const int inLength = static_cast<int>(in.size());
    const int wideLength =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), inLength, nullptr, 0);
    if (wideLength <= 0)
        return false;
    wide_.resize(static_cast<std::size_t>(wideLength));
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), inLength, wide_.data(),
                        wideLength);
    const int outLength =
        WideCharToMultiByte(CP_UTF8, 0, wide_.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0)
        return false;
    out.resize(static_cast<std::size_t>(outLength));
    WideCharToMultiByte(CP_UTF8, 0, wide_.data(), wideLength, out.data(), outLength, nullptr,
                        nullptr);
    return true;
}

#else

Gb18030Decoder::Gb18030Decoder()
    : handle_(iconv_open("UTF-8", "GB18030"))
{
}

Gb18030Decoder::~Gb18030Decoder()
{
    if (available())
        iconv_close(static_cast<iconv_t>(handle_));
}

bool Gb18030Decoder::available() const
{
    return handle_ != reinterpret_cast<void*>(-1);
}

bool Gb18030Decoder::decode(std::string_view in, std::string& out)
{
    out.clear();
    if (!available())
        return false;
    auto cd = static_cast<iconv_t>(handle_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // a fresh state for every line
    // Four bytes of GB18030 never make more than four of UTF-8, two bytes at most three.
    out.resize(in.size() * 2 + 8);
    char* from = const_cast<char*>(in.data());
    std::size_t fromLeft = in.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    if (iconv(cd, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1))
        return false; // EILSEQ, or EINVAL for a character cut off at the end of the line
    out.resize(out.size() - toLeft);
    return true;
}

#endif

} // namespace tallyra::payroll
