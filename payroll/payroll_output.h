// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/withholding.h"
#include "payroll/byte_stream.h"
#include "payroll/csv_reader.h"

#include <string>

namespace tallyra::payroll {

// The figures added to every line, in this order.
inline constexpr const char* kFigureColumns[] = {
    "累计收入",       "累计免税收入",       "累计减除费用", "累计专项扣除", "累计专项附加扣除",
    "累计其他扣除",   "累计应纳税所得额",   "税率",         "速算扣除数",   "累计应纳税额",
    "累计已预缴税额", "本期应预扣预缴税额", "本期税后收入",
};

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
    void cell(std::string_view text);
    void money(law::Money amount);
    void endRow();
    ByteSink& sink_;
    std::string buffer_;
    bool ok_ = true;
};

} // namespace tallyra::payroll
