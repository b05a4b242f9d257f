// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/withholding.h"
#include "payroll/byte_stream.h"
#include "payroll/csv_reader.h"
#include "payroll/csv_writer.h"

#include <array>
#include <string>
#include <string_view>

namespace tallyra::payroll {

// A figure added to every line: its name in the header, and how a line's figure is written.
struct FigureColumn {
    const char* name;
    void (*write)(std::string& out, const law::WithholdingStep& step);
};
// The figures added to every line, in this order. The header, each row and --help follow it.
extern const std::array<FigureColumn, 13> kFigureColumns;
bool IsFigureColumn(std::string_view name);

// Writes the output CSV: a byte-order mark, CRLF line ends, RFC 4180 quoting where a cell needs
// it, amounts with exactly two decimals. Writes a quarter of a megabyte at a time.
class PayrollWriter {
public:
    explicit PayrollWriter(ByteSink& sink);
    void writeHeader(const CsvRecord& header, std::size_t columns);
    void writeRow(const CsvRecord& record, std::size_t columns, const law::WithholdingStep& step);
    bool ok() const { return ok_; }
    bool finish();

private:
    void endRow();
    ByteSink& sink_;
    CsvWriter csv_;
    bool ok_ = true;
};

} // namespace tallyra::payroll
