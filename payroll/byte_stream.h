// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyra::payroll {

// Where the payroll bytes come from: read once, from the start to the end (a pipe will do).
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes; 0 at the end. False from ok() after a read error.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    virtual bool ok() const = 0;
};

// Where the output goes.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool write(std::string_view bytes) = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string bytes)
        : bytes_(std::move(bytes))
    {
    }
    std::size_t read(char* buffer, std::size_t size) override;
    bool ok() const override { return true; }

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

class StringSink : public ByteSink {
public:
    bool write(std::string_view bytes) override
    {
        text_.append(bytes);
        return true;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The longest line read: far beyond any payroll line, and it keeps an endless one (a stream
// with no line end) from filling the memory.
inline constexpr std::size_t kMaxLineBytes = std::size_t(16) << 20;

// Splits the source into lines at LF, CRLF or a lone CR (the line end of a spreadsheet's
// "CSV (Macintosh)"). The returned view, without its line end, lives until the next call.
class LineReader {
public:
    enum class Status {
        Line,
        End,     // no more lines (or a read error: see ok())
        TooLong, // the next line is longer than kMaxLineBytes
    };
    explicit LineReader(ByteSource& source);
    Status next(std::string_view& line);
    // The line end of the last line: "\n", "\r\n", "\r", or nothing at the end of the input.
    std::string_view lineEnd() const { return lineEnd_; }
    bool ok() const { return source_.ok(); }

private:
    // Where the next CR or LF at or after begin_ is, remembered between calls so that every
    // byte is searched once for each (a file of lone CRs holds no LF at all).
    struct NextByte {
        char byte;
        std::size_t at;      // npos: none before `scanned`
        std::size_t scanned; // where the last search stopped
    };
    std::size_t find(NextByte& next);
    std::size_t lineEndAt();
    bool fill();
    ByteSource& source_;
    std::string buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    NextByte lf_{'\n', std::string::npos, 0};
    NextByte cr_{'\r', std::string::npos, 0};
    std::string_view lineEnd_;
};

} // namespace tallyra::payroll
