// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/payroll_output.h"

namespace tallyra::payroll {

namespace {
constexpr std::size_t kFlushAt = 1 << 18;
}

PayrollWriter::PayrollWriter(ByteSink& sink)
    : sink_(sink)
{
    buffer_.append("\xEF\xBB\xBF");
}

void PayrollWriter::cell(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        buffer_.append(text);
    } else {
        buffer_.push_back('"');
        for (char c : text) {
            if (c == '"')
                buffer_.push_back('"');
            buffer_.push_back(c);
        }
        buffer_.push_back('"');
    }
    buffer_.push_back(',');
}

void PayrollWriter::money(law::Money amount)
{
    amount.appendTo(buffer_);
    buffer_.push_back(',');
}

void PayrollWriter::endRow()
{
    buffer_.back() = '\r'; // the last cell's comma
    buffer_.push_back('\n');
    if (buffer_.size() >= kFlushAt) {
        ok_ = ok_ && sink_.write(buffer_);
        buffer_.clear();
    }
}

void PayrollWriter::writeHeader(const CsvRecord& header, std::size_t columns)
{
    for (std::size_t i = 0; i < columns; ++i)
        cell(header.fields[i]);
    for (const char* name : kFigureColumns)
        cell(name);
    endRow();
}

void PayrollWriter::writeRow(const CsvRecord& record, std::size_t columns,
                             const law::WithholdingStep& step)
{
    for (std::size_t i = 0; i < columns; ++i)
        cell(i < record.fields.size() ? record.fields[i] : std::string_view());
    const law::CumulativeFigures& sum = step.cumulative;
    money(sum.income);
    money(sum.exemptIncome);
    money(sum.basicDeduction);
    money(sum.specialDeduction);
    money(sum.specialAdditional);
    money(sum.otherDeduction);
    money(step.taxableIncome);
    buffer_.append(std::to_string(step.row.ratePercent));
    buffer_.append("%,");
    money(step.row.quickDeduction);
    money(step.cumulativeTax);
    money(step.alreadyWithheld);
    money(step.withheld);
    money(step.afterTax);
    endRow();
}

bool PayrollWriter::finish()
{
    ok_ = ok_ && sink_.write(buffer_);
    buffer_.clear();
    return ok_;
}

} // namespace tallyra::payroll
