// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/payroll_output.h"

#include <algorithm>

namespace tallyra::payroll {

namespace {

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

PayrollWriter::PayrollWriter(std::size_t columns, bool separateTaxColumns)
    : columns_(columns)
    , separateTaxColumns_(separateTaxColumns)
{
}

std::string PayrollWriter::header(const CsvRecord& header) const
{
    CsvWriter csv;
    for (std::size_t i = 0; i < columns_; ++i)
        csv.field(header.fields[i]);
    for (const FigureColumn& column : kFigureColumns)
        csv.field(column.name);
    if (separateTaxColumns_)
        for (const SeparateTaxColumn& column : kSeparateTaxColumns)
            csv.field(column.name);
    csv.endRecord();
    return csv.text();
}

// The input's cells, each followed by a comma. A plain record's are its line, copied whole.
void PayrollWriter::copyCells(std::string& out, const CsvRecord& record) const
{
    const std::size_t read = std::min(record.fields.size(), columns_);
    if (record.plain && read > 0) {
        const char* begin = record.fields.front().data();
        const std::string_view last = record.fields[read - 1];
        out.append(begin, static_cast<std::size_t>(last.data() + last.size() - begin));
        out.push_back(',');
    } else {
        for (std::size_t i = 0; i < read; ++i) {
            AppendCsvField(out, record.fields[i]);
            out.push_back(',');
        }
    }
    out.append(columns_ - read, ','); // the cells a short line lacks, empty
}

namespace {

// The last field's comma becomes the line end.
void EndRow(std::string& out)
{
    out.back() = '\r';
    out.push_back('\n');
}

} // namespace

void PayrollWriter::writeRow(std::string& out, const CsvRecord& record,
                             const law::WithholdingStep& step) const
{
    copyCells(out, record);
    for (const FigureColumn& column : kFigureColumns) {
        column.write(out, step);
        out.push_back(',');
    }
    if (separateTaxColumns_)
        out.append(kSeparateTaxColumns.size(), ',');
    EndRow(out);
}

void PayrollWriter::writeSeparateRow(std::string& out, const CsvRecord& record,
                                     const law::SeparateTax& tax) const
{
    copyCells(out, record);
    for (const FigureColumn& column : kFigureColumns) {
        if (column.writeSeparate)
            column.writeSeparate(out, tax);
        out.push_back(',');
    }
    for (const SeparateTaxColumn& column : kSeparateTaxColumns) {
        column.write(out, tax);
        out.push_back(',');
    }
    EndRow(out);
}

} // namespace tallyra::payroll
