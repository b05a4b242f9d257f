// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tallyra::payroll {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF). Whole lines are checked, so a character never straddles two calls.
bool IsValidUtf8(std::string_view bytes);

bool IsAscii(std::string_view bytes);

// True when the bytes are UTF-8 that reads as Chinese text: Chinese characters, perhaps with
// Chinese or full-width punctuation, and nothing else beyond ASCII. GB18030 text is that only
// by a rare chance (no pair of its common characters is), so in a GB18030 file such a line is
// one saved as UTF-8.
bool IsUtf8ChineseText(std::string_view bytes);

// GB18030 to UTF-8: glibc's iconv on Linux, code page 54936 on Windows. False (and `out`
// unspecified) when the bytes are not valid GB18030. A line feed is never part of a GB18030
// character, so a file may be converted line by line.
class Gb18030Decoder {
public:
    Gb18030Decoder();
    ~Gb18030Decoder();
    Gb18030Decoder(const Gb18030Decoder&) = delete;
    Gb18030Decoder& operator=(const Gb18030Decoder&) = delete;

    bool available() const;
    bool decode(std::string_view in, std::string& out);

private:
    void* handle_;
#ifdef _WIN32
    std::wstring wide_;
#endif
};

} // namespace tallyra::payroll
