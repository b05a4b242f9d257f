// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace tallyra::payroll {

namespace {
constexpr std::size_t kChunk = 1 << 18; // grows when one line is longer
constexpr std::size_t npos = std::string::npos;
} // namespace

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

// Moves the unread bytes to the front and reads more behind them; the buffer doubles when one
// line fills all of it, up to the longest line. False when nothing more came.
bool LineReader::fill()
{
    if (atEnd_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        for (NextByte* next : {&lf_, &cr_}) {
            next->at = next->at == npos || next->at < begin_ ? npos : next->at - begin_;
            next->scanned = std::max(next->scanned, begin_) - begin_;
        }
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(std::min(buffer_.size() * 2, kMaxLineBytes + kChunk));
    const std::size_t count = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (count == 0) {
        atEnd_ = true;
        return false;
    }
    end_ += count;
    return true;
}

std::size_t LineReader::find(NextByte& next)
{
    if (next.at != npos && next.at >= begin_)
        return next.at;
    const std::size_t from = std::max(begin_, next.scanned);
    const void* found = std::memchr(buffer_.data() + from, next.byte, end_ - from);
    next.at =
        found ? static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data()) : npos;
    next.scanned = found ? next.at + 1 : end_;
    return next.at;
}

// The first CR or LF of the unread bytes, npos if none was read yet.
std::size_t LineReader::lineEndAt()
{
    return std::min(find(lf_), find(cr_));
}

LineReader::Status LineReader::next(std::string_view& line)
{
    for (;;) {
        const std::size_t at = lineEndAt();
        if ((at == npos ? end_ : at) - begin_ > kMaxLineBytes)
            return Status::TooLong;
        // A CR that ends what was read may be the first half of a CRLF.
        const bool crAtTheEdge = at != npos && buffer_[at] == '\r' && at + 1 == end_;
        if (at == npos || (crAtTheEdge && !atEnd_)) {
            if (fill() || crAtTheEdge)
                continue;
            if (begin_ == end_)
                return Status::End;
            line = std::string_view(buffer_.data() + begin_, end_ - begin_); // no final line end
            lineEnd_ = {};
            begin_ = end_;
            return Status::Line;
        }
        const std::size_t after =
            buffer_[at] == '\r' && at + 1 < end_ && buffer_[at + 1] == '\n' ? at + 2 : at + 1;
        line = std::string_view(buffer_.data() + begin_, at - begin_);
        lineEnd_ = std::string_view(buffer_.data() + at, after - at);
        begin_ = after;
        return Status::Line;
    }
}

} // namespace tallyra::payroll
