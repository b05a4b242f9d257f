// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/byte_stream.h"
#include "payroll/text_encoding.h"

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
    long line = 0; // the line the record starts on, counted from 1
    std::vector<std::string_view> fields;
};

enum class CsvStatus {
    Record,
    End,
    NotUtf8,        // a line is not UTF-8 and no byte-order mark said it must be: read as GB18030
    BadEncoding,    // not valid in the encoding the file must have
    UnclosedQuote,  // the file ends inside a quoted field
    TextAfterQuote, // a closing quote followed by something other than a comma or the line end
    ReadError,
};

// RFC 4180 records, one at a time: fields separated by commas, quoted fields may hold commas,
// doubled quotes and line breaks; CRLF or LF ends a record. Lines are decoded to UTF-8 first.
class CsvReader {
public:
    CsvReader(LineReader& lines, InputEncoding encoding);

    CsvStatus next(CsvRecord& record);
    long problemLine() const { return problemLine_; }
    bool hadByteOrderMark() const { return hadBom_; }

private:
    bool nextDecodedLine(std::string_view& line, CsvStatus& failure);
    // Parses from `line` into the record storage; returns false while a quoted field is open.
    bool parse(std::string_view line, bool& inQuotes, CsvStatus& failure);
    // Appends a quoted field's text from `i` to its closing quote, after which `i` stands;
    // false when the line ends first.
    bool readQuoted(std::string_view line, std::size_t& i);
    void endField();

    LineReader& lines_;
    InputEncoding encoding_;
    Gb18030Decoder decoder_;
    std::string decoded_;
    std::string storage_;
    std::vector<std::size_t> fieldEnds_;
    long lineNumber_ = 0;
    long problemLine_ = 0;
    bool hadBom_ = false;
};

} // namespace tallyra::payroll
