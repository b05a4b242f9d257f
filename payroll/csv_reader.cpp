// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/csv_reader.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace tallyra::payroll {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

void FieldsOf(const std::string& storage, const std::vector<std::size_t>& ends,
              std::vector<std::string_view>& fields)
{
    fields.clear();
    std::size_t begin = 0;
    for (std::size_t end : ends) {
        fields.emplace_back(storage.data() + begin, end - begin);
        begin = end + 1; // past the comma
    }
}

} // namespace

CsvReader::CsvReader(LineReader& lines)
    : lines_(lines)
{
}

bool CsvReader::nextDecodedLine(std::string_view& line, CsvStatus& failure)
{
    switch (lines_.next(line)) {
    case LineReader::Status::Line:
        break;
    case LineReader::Status::End:
        if (!lines_.ok())
            failure = CsvStatus::ReadError;
        return false;
    case LineReader::Status::TooLong:
        problemLine_ = lineNumber_ + 1;
        failure = CsvStatus::LineTooLong;
        return false;
    }
    ++lineNumber_;
    if (lineNumber_ == 1 && line.substr(0, 3) == kBom) {
        hadBom_ = true;
        line.remove_prefix(3);
        encoding_ = InputEncoding::Utf8;
        encodingLine_ = 1;
    }
    if (!encoding_ && !IsAscii(line)) {
        encoding_ = IsValidUtf8(line) ? InputEncoding::Utf8 : InputEncoding::Gb18030;
        encodingLine_ = lineNumber_;
    }
    const CsvStatus status = decode(line);
    if (status == CsvStatus::Record)
        return true;
    problemLine_ = lineNumber_;
    failure = status;
    return false;
}

// The line in the file's encoding, checked, as UTF-8; Record when it is good.
CsvStatus CsvReader::decode(std::string_view& line)
{
    if (encoding_ == InputEncoding::Gb18030) {
        if (IsUtf8ChineseText(line))
            return CsvStatus::Utf8InGb18030;
        if (!decoder_.decode(line, decoded_))
            return CsvStatus::NotGb18030;
        line = decoded_;
    } else if (encoding_ == InputEncoding::Utf8 && !IsValidUtf8(line)) {
        return CsvStatus::NotUtf8;
    }
    return CsvStatus::Record;
}

void CsvReader::endField()
{
    fieldEnds_.push_back(storage_.size());
    storage_.push_back(',');
}

// A line without quotes, the common case: its fields are read where they are, a field ending at
// every comma.
namespace {

// The high bit of each byte of `word` that is a comma, and no other bit. Exact for every byte:
// no carry crosses from one byte into the next.
std::uint64_t CommaBytes(std::uint64_t word)
{
    constexpr std::uint64_t kCommas = 0x2C2C2C2C2C2C2C2Cull;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = word ^ kCommas; // a comma's byte is now zero
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

} // namespace

void CsvReader::splitPlain(std::string_view line, std::vector<std::string_view>& fields)
{
    fields.clear();
    const char* text = line.data();
    std::size_t begin = 0;
    std::size_t i = 0;
    // Eight bytes at a time, each comma found from the word's bits.
    if constexpr (std::endian::native == std::endian::little)
        for (; i + 8 <= line.size(); i += 8) {
            std::uint64_t word;
            std::memcpy(&word, text + i, 8);
            for (std::uint64_t commas = CommaBytes(word); commas != 0; commas &= commas - 1) {
                const std::size_t comma = i + std::size_t(std::countr_zero(commas)) / 8;
                fields.emplace_back(text + begin, comma - begin);
                begin = comma + 1;
            }
        }
    for (; i < line.size(); ++i)
        if (text[i] == ',') {
            fields.emplace_back(text + begin, i - begin);
            begin = i + 1;
        }
    fields.emplace_back(text + begin, line.size() - begin);
}

bool CsvReader::readQuoted(std::string_view line, std::size_t& i)
{
    for (;;) {
        const std::size_t quote = line.find('"', i);
        if (quote == std::string_view::npos) {
            storage_.append(line.substr(i)); // the line break belongs to the field
            storage_.append(lines_.lineEnd());
            return false;
        }
        storage_.append(line.substr(i, quote - i));
        i = quote + 1;
        if (i < line.size() && line[i] == '"') { // a doubled quote stands for one
            storage_.push_back('"');
            ++i;
            continue;
        }
        return true;
    }
}

bool CsvReader::parse(std::string_view line, bool& inQuotes, CsvStatus& failure)
{
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        if (!inQuotes && i < n && line[i] == '"') {
            inQuotes = true;
            ++i;
        }
        if (inQuotes) { // a quoted field, perhaps going on from the line before
            if (!readQuoted(line, i))
                return false;
            inQuotes = false;
            if (i < n && line[i] != ',') {
                problemLine_ = lineNumber_;
                failure = CsvStatus::TextAfterQuote;
                return true;
            }
        } else {
            const std::size_t comma = line.find(',', i);
            const std::size_t stop = comma == std::string_view::npos ? n : comma;
            storage_.append(line.substr(i, stop - i));
            i = stop;
        }
        endField();
        if (i >= n)
            return true;
        ++i; // the comma
        if (i == n) {
            endField(); // an empty last field
            return true;
        }
    }
}

CsvStatus CsvReader::next(CsvRecord& record)
{
    storage_.clear();
    fieldEnds_.clear();
    std::string_view line;
    CsvStatus failure = CsvStatus::End;
    if (!nextDecodedLine(line, failure))
        return failure;
    record.line = lineNumber_;
    record.plain = line.find('"') == std::string_view::npos;
    if (record.plain) {
        splitPlain(line, record.fields);
        record.lastLine = lineNumber_;
        return CsvStatus::Record;
    }
    bool inQuotes = false;
    while (!parse(line, inQuotes, failure)) {
        if (storage_.size() - fieldEnds_.size() > kMaxRecordBytes) { // the commas do not count
            problemLine_ = record.line;
            return CsvStatus::RecordTooLong;
        }
        if (!nextDecodedLine(line, failure)) {
            if (failure == CsvStatus::End) {
                problemLine_ = record.line;
                return CsvStatus::UnclosedQuote;
            }
            return failure;
        }
    }
    if (failure != CsvStatus::End)
        return failure;
    record.lastLine = lineNumber_;
    FieldsOf(storage_, fieldEnds_, record.fields);
    return CsvStatus::Record;
}

} // namespace tallyra::payroll
