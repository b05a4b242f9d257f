// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tallyra::payroll {

// Appends one field as RFC 4180 writes it: as it is, or between double quotes with its quotes
// doubled when it holds a comma, a quote or a line end.
void AppendCsvField(std::string& out, std::string_view text);

// The CSV a spreadsheet on a Chinese Windows reads right, as both the payroll command and the
// year planner write it: UTF-8 with a byte-order mark, fields separated by commas, records ended
// by CRLF, RFC 4180 quoting. No Qt, so the payroll command and the planner share it.
class CsvWriter {
public:
    CsvWriter() { text_.append("\xEF\xBB\xBF"); }

    void field(std::string_view text)
    {
        AppendCsvField(text_, text);
        endField();
    }
    // A field the caller knows needs no quotes (an amount, a rate): `write` appends its text.
    // Nothing is built on the way, for writers of millions of lines.
    template <typename Write> void plainField(Write&& write)
    {
        write(text_);
        endField();
    }
    void endRecord();

    // What is written so far; clear() empties it between records (after it was sent on).
    const std::string& text() const { return text_; }
    std::size_t size() const { return text_.size(); }
    void clear() { text_.clear(); }

private:
    // Every field is followed by a comma; the record's end turns the last one into CRLF.
    void endField()
    {
        text_.push_back(',');
        inRecord_ = true;
    }
    std::string text_;
    bool inRecord_ = false;
};

} // namespace tallyra::payroll
