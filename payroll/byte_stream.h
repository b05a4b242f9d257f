// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyra::payroll {

// Where the payroll bytes come from; rewound once when a file turns out not to be UTF-8.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes; 0 at the end. False from ok() after a read error.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    virtual bool ok() const = 0;
    virtual bool rewind() = 0;
};

// Where the output goes; restarted (emptied) together with the source.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool write(std::string_view bytes) = 0;
    virtual bool restart() = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string bytes)
        : bytes_(std::move(bytes))
    {
    }
    std::size_t read(char* buffer, std::size_t size) override;
    bool ok() const override { return true; }
    bool rewind() override
    {
        position_ = 0;
        return true;
    }

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
    bool restart() override
    {
        text_.clear();
        return true;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// Splits the source into lines at line feeds (a carriage return before one stays in the line;
// the CSV reader removes it). The returned view lives until the next call.
class LineReader {
public:
    explicit LineReader(ByteSource& source);
    // False at the end of the input.
    bool next(std::string_view& line);
    bool rewind();
    bool ok() const { return source_.ok(); }

private:
    bool fill();
    ByteSource& source_;
    std::string buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
};

} // namespace tallyra::payroll
