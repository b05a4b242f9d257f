// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace tallyra::payroll {

namespace {
constexpr std::size_t kChunk = 1 << 16; // grows when one line is longer
}

std::size_t MemorySource::read(char* buffer, std::size_t size)
{
    const std::size_t count = std::min(size, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

LineReader::LineReader(ByteSource& source)
    : source_(source)
    , buffer_(kChunk, '\0')
{
}

bool LineReader::rewind()
{
    begin_ = end_ = 0;
    atEnd_ = false;
    return source_.rewind();
}

// Moves the unread bytes to the front and reads more behind them; the buffer doubles when one
// line fills all of it. False when nothing more came.
bool LineReader::fill()
{
    if (atEnd_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    const std::size_t count = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (count == 0) {
        atEnd_ = true;
        return false;
    }
    end_ += count;
    return true;
}

bool LineReader::next(std::string_view& line)
{
    std::size_t searched = begin_;
    for (;;) {
        const void* found = std::memchr(buffer_.data() + searched, '\n', end_ - searched);
        if (found) {
            const std::size_t at = static_cast<const char*>(found) - buffer_.data();
            line = std::string_view(buffer_.data() + begin_, at - begin_);
            begin_ = at + 1;
            return true;
        }
        const std::size_t scanned = end_ - begin_;
        if (!fill()) {
            if (begin_ == end_)
                return false;
            line = std::string_view(buffer_.data() + begin_, end_ - begin_); // no final line feed
            begin_ = end_;
            return true;
        }
        searched = begin_ + scanned;
    }
}

} // namespace tallyra::payroll
