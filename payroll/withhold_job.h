// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/byte_stream.h"
#include "payroll/csv_reader.h"

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace tallyra::payroll {

// What went wrong, for a message in Chinese that names the line and the column.
struct PayrollError {
    enum class Kind { Input, Output };
    Kind kind = Kind::Input;
    long line = 0;      // 0: not about one line
    std::string column; // empty: not about one column
    std::string what;
    std::string message() const;
};

struct PayrollSummary {
    long rows = 0;
    std::size_t employees = 0;
    InputEncoding encoding = InputEncoding::Utf8;
    bool byteOrderMark = false;
    std::vector<std::string> knownColumns;  // the columns the figures came from
    std::vector<std::string> copiedColumns; // the others, copied through as read
};

struct WithholdOptions {
    // Threads that withhold, each for its share of the employees (by 工号); the file is read and
    // written by the calling thread. The output and any refusal are the same for every count.
    unsigned threads = 1;
    // The most records read before they are handed on to the threads.
    std::size_t batchRecords = 4096;
};

// The most threads --threads takes: far beyond the cores of a machine this runs on.
inline constexpr unsigned kMaxThreads = 256;

// Reads a payroll CSV and writes it back with the cumulative withholding of every line: the
// input columns as read, then the figures, UTF-8 with a byte-order mark and CRLF. The input is
// read once (see CsvReader for its encoding). Memory grows with the number of employees, not
// of lines. A refusal is that of the first line refused.
std::variant<PayrollSummary, PayrollError> WithholdPayroll(ByteSource& input, ByteSink& output,
                                                           const WithholdOptions& options = {});

} // namespace tallyra::payroll
