// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/payroll_output.h"

namespace tallyra::payroll {

namespace {

constexpr std::size_t kFlushAt = 1 << 18;

// A rate of the tables (0 to 45) and "%", without building a string.
void AppendPercent(std::string& out, int percent)
{
    if (percent >= 10)
        out.push_back(static_cast<char>('0' + percent / 10));
    out.push_back(static_cast<char>('0' + percent % 10));
    out.push_back('%');
}

using law::SeparateTax;
using law::WithholdingStep;

} // namespace

const std::array<FigureColumn, 13> kFigureColumns = {{
    {"累计收入", [](std::string& o, const WithholdingStep& s) { s.cumulative.income.appendTo(o); }},
    {"累计免税收入",
     [](std::string& o, const WithholdingStep& s) { s.cumulative.exemptIncome.appendTo(o); }},
    {"累计减除费用",
     [](std::string& o, const WithholdingStep& s) { s.cumulative.basicDeduction.appendTo(o); }},
    {"累计专项扣除",
     [](std::string& o, const WithholdingStep& s) { s.cumulative.specialDeduction.appendTo(o); }},
    {"累计专项附加扣除",
     [](std::string& o, const WithholdingStep& s) { s.cumulative.specialAdditional.appendTo(o); }},
    {"累计其他扣除",
     [](std::string& o, const WithholdingStep& s) { s.cumulative.otherDeduction.appendTo(o); }},
    {"累计应纳税所得额",
     [](std::string& o, const WithholdingStep& s) { s.taxableIncome.appendTo(o); }},
    {"税率",
     [](std::string& o, const WithholdingStep& s) { AppendPercent(o, s.bracket.ratePercent); },
     [](std::string& o, const SeparateTax& t) { AppendPercent(o, t.bracket.ratePercent); }},
    {"速算扣除数",
     [](std::string& o, const WithholdingStep& s) { s.bracket.quickDeduction.appendTo(o); },
     [](std::string& o, const SeparateTax& t) { t.bracket.quickDeduction.appendTo(o); }},
    {"累计应纳税额", [](std::string& o, const WithholdingStep& s) { s.cumulativeTax.appendTo(o); }},
    {"累计已预缴税额",
     [](std::string& o, const WithholdingStep& s) { s.alreadyWithheld.appendTo(o); }},
    {"本期应预扣预缴税额", [](std::string& o, const WithholdingStep& s) { s.withheld.appendTo(o); },
     [](std::string& o, const SeparateTax& t) { t.tax.appendTo(o); }},
    {"本期税后收入", [](std::string& o, const WithholdingStep& s) { s.afterTax.appendTo(o); },
     [](std::string& o, const SeparateTax& t) { t.afterTax().appendTo(o); }},
}};

const std::array<SeparateTaxColumn, 2> kSeparateTaxColumns = {{
    {"减除费用", [](std::string& o, const SeparateTax& t) { t.deduction.appendTo(o); }},
    {"应纳税所得额", [](std::string& o, const SeparateTax& t) { t.taxable.appendTo(o); }},
}};

bool IsSeparateTaxColumn(std::string_view name)
{
    for (const SeparateTaxColumn& column : kSeparateTaxColumns)
        if (name == column.name)
            return true;
    return false;
}

bool IsFigureColumn(std::string_view name)
{
    for (const FigureColumn& column : kFigureColumns)
        if (name == column.name)
            return true;
    return false;
}

PayrollWriter::PayrollWriter(ByteSink& sink)
    : sink_(sink)
{
}

void PayrollWriter::endRow()
{
    csv_.endRecord();
    if (csv_.size() >= kFlushAt) {
        ok_ = ok_ && sink_.write(csv_.text());
        csv_.clear();
    }
}

void PayrollWriter::writeHeader(const CsvRecord& header, std::size_t columns,
                                bool separateTaxColumns)
{
    separateTaxColumns_ = separateTaxColumns;
    for (std::size_t i = 0; i < columns; ++i)
        csv_.field(header.fields[i]);
    for (const FigureColumn& column : kFigureColumns)
        csv_.field(column.name);
    if (separateTaxColumns_)
        for (const SeparateTaxColumn& column : kSeparateTaxColumns)
            csv_.field(column.name);
    endRow();
}

void PayrollWriter::copyCells(const CsvRecord& record, std::size_t columns)
{
    for (std::size_t i = 0; i < columns; ++i)
        csv_.field(i < record.fields.size() ? record.fields[i] : std::string_view());
}

void PayrollWriter::writeRow(const CsvRecord& record, std::size_t columns,
                             const law::WithholdingStep& step)
{
    copyCells(record, columns);
    for (const FigureColumn& column : kFigureColumns)
        csv_.plainField([&](std::string& out) { column.write(out, step); });
    if (separateTaxColumns_)
        for (std::size_t i = 0; i < kSeparateTaxColumns.size(); ++i)
            csv_.field({});
    endRow();
}

void PayrollWriter::writeSeparateRow(const CsvRecord& record, std::size_t columns,
                                     const law::SeparateTax& tax)
{
    copyCells(record, columns);
    for (const FigureColumn& column : kFigureColumns)
        csv_.plainField([&](std::string& out) {
            if (column.writeSeparate)
                column.writeSeparate(out, tax);
        });
    for (const SeparateTaxColumn& column : kSeparateTaxColumns)
        csv_.plainField([&](std::string& out) { column.write(out, tax); });
    endRow();
}

bool PayrollWriter::finish()
{
    ok_ = ok_ && sink_.write(csv_.text());
    csv_.clear();
    return ok_;
}

} // namespace tallyra::payroll
