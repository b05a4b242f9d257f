// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/byte_stream.h"
#include "payroll/text_encoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyra::payroll {

enum class InputEncoding {
    Utf8,    // UTF-8, with or without a byte-order mark
    Gb18030, // what a spreadsheet saves on a Chinese Windows
};

// A cell without the spaces and tabs a spreadsheet user may leave around it.
inline std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

struct CsvRecord {
    long line = 0;     // the line the record starts on, counted from 1
    long lastLine = 0; // the line it ends on: later when a quoted field holds a line break
    // The fields, valid until the next record is read, one after the other with a comma between
    // each and the next.
    std::vector<std::string_view> fields;
    // Read from one line without quotes: no field holds a quote, a comma or a line break, and
    // the fields with their commas are the line itself, to be copied as it is.
    bool plain = false;
};

enum class CsvStatus {
    Record,
    End,
    NotUtf8,        // a line of a UTF-8 file that is not UTF-8
    NotGb18030,     // a line of a GB18030 file that is neither GB18030 nor UTF-8
    Utf8InGb18030,  // a line of a GB18030 file saved as UTF-8
    UnclosedQuote,  // the file ends inside a quoted field
    TextAfterQuote, // a closing quote followed by something other than a comma or the line end
    LineTooLong,    // longer than kMaxLineBytes
    RecordTooLong,  // a record of several lines longer than kMaxRecordBytes
    ReadError,
};

// The longest record: a quoted field left open swallows the rest of the file into one.
inline constexpr std::size_t kMaxRecordBytes = kMaxLineBytes;

// RFC 4180 records, one at a time: fields separated by commas, quoted fields may hold commas,
// doubled quotes and line breaks; LF, CRLF or a lone CR ends a record. Lines are decoded to
// UTF-8 first. The file's encoding is that of its first line beyond ASCII (the header, whose
// column names are Chinese): UTF-8 when that line is UTF-8 or the file starts with a UTF-8
// byte-order mark, GB18030 otherwise; the lines before it are ASCII, the same in both. So the
// input is read once, from a pipe as well as from a file.
class CsvReader {
public:
    CsvReader(LineReader& lines);

    CsvStatus next(CsvRecord& record);
    long problemLine() const { return problemLine_; }
    bool hadByteOrderMark() const { return hadBom_; }
    InputEncoding encoding() const { return encoding_.value_or(InputEncoding::Utf8); }
    long encodingLine() const { return encodingLine_; } // the line that decided it; 0: none

private:
    bool nextDecodedLine(std::string_view& line, CsvStatus& failure);
    CsvStatus decode(std::string_view& line);
    // Parses from `line` into the record storage; returns false while a quoted field is open.
    bool parse(std::string_view line, bool& inQuotes, CsvStatus& failure);
    // Appends a quoted field's text from `i` to its closing quote, after which `i` stands;
    // false when the line ends first.
    bool readQuoted(std::string_view line, std::size_t& i);
    static void splitPlain(std::string_view line, std::vector<std::string_view>& fields);
    void endField();

    LineReader& lines_;
    std::optional<InputEncoding> encoding_;
    Gb18030Decoder decoder_;
    std::string decoded_;
    std::string storage_;
    std::vector<std::size_t> fieldEnds_;
    long lineNumber_ = 0;
    long problemLine_ = 0;
    long encodingLine_ = 0;
    bool hadBom_ = false;
};

} // namespace tallyra::payroll
