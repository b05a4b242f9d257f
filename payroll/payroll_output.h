// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/separate_tax.h"
#include "law/withholding.h"
#include "payroll/csv_reader.h"
#include "payroll/csv_writer.h"

#include <array>
#include <string>
#include <string_view>

namespace tallyra::payroll {

// A figure added to every line: its name in the header, how a wage line's figure is written, and
// how that of a line taxed on its own is (none: the cell stays empty, as the cumulative ones do).
// Each writes at `out`, which has room for law::Money::kMaxTextLength characters, and returns
// where its text ends.
struct FigureColumn {
    const char* name;
    char* (*write)(char* out, const law::WithholdingStep& step);
    char* (*writeSeparate)(char* out, const law::SeparateTax& tax) = nullptr;
};
// The figures added to every line, in this order. The header, each row and --help follow it.
extern const std::array<FigureColumn, 13> kFigureColumns;
bool IsFigureColumn(std::string_view name);

// The figures a file with the column 所得项目 adds after those, filled on a line taxed on its own
// (减除费用, 应纳税所得额) and empty on the others.
struct SeparateTaxColumn {
    const char* name;
    char* (*write)(char* out, const law::SeparateTax& tax);
};
extern const std::array<SeparateTaxColumn, 2> kSeparateTaxColumns;
bool IsSeparateTaxColumn(std::string_view name);

// Writes the output CSV: a byte-order mark, CRLF line ends, RFC 4180 quoting where a cell needs
// it, amounts with exactly two decimals. Each row is appended to a text the caller sends on, so
// that rows of different employees can be written by different threads.
class PayrollWriter {
public:
    // `columns`: the input's columns, copied first; `separateTaxColumns`: whether the lines end
    // in kSeparateTaxColumns.
    PayrollWriter(std::size_t columns, bool separateTaxColumns);
    // The byte-order mark and the header line.
    std::string header(const CsvRecord& header) const;
    void writeRow(std::string& out, const CsvRecord& record,
                  const law::WithholdingStep& step) const;
    void writeSeparateRow(std::string& out, const CsvRecord& record,
                          const law::SeparateTax& tax) const;

private:
    void copyCells(std::string& out, const CsvRecord& record) const;
    std::size_t columns_;
    bool separateTaxColumns_;
};

} // namespace tallyra::payroll
