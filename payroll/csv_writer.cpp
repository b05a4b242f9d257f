// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/csv_writer.h"

namespace tallyra::payroll {

void AppendCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void CsvWriter::endRecord()
{
    if (inRecord_)
        text_.back() = '\r'; // the last field's comma
    else
        text_.push_back('\r');
    text_.push_back('\n');
    inRecord_ = false;
}

} // namespace tallyra::payroll
