// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/payroll_output.h"

#include <algorithm>

namespace tallyra::payroll {

namespace {

// A rate of the tables (0 to 45) and "%".
char* WritePercent(char* out, int percent)
{
    if (percent >= 10)
        *out++ = static_cast<char>('0' + percent / 10);
    *out++ = static_cast<char>('0' + percent % 10);
    *out++ = '%';
    return out;
}

using law::SeparateTax;
using law::WithholdingStep;

} // namespace

const std::array<FigureColumn, 13> kFigureColumns = {{
    {"累计收入", [](char* o, const WithholdingStep& s) { return s.cumulative.income.writeTo(o); }},
    {"累计免税收入",
     [](char* o, const WithholdingStep& s) { return s.cumulative.exemptIncome.writeTo(o); }},
    {"累计减除费用",
     [](char* o, const WithholdingStep& s) { return s.cumulative.basicDeduction.writeTo(o); }},
    {"累计专项扣除",
     [](char* o, const WithholdingStep& s) { return s.cumulative.specialDeduction.writeTo(o); }},
    {"累计专项附加扣除",
     [](char* o, const WithholdingStep& s) { return s.cumulative.specialAdditional.writeTo(o); }},
    {"累计其他扣除",
     [](char* o, const WithholdingStep& s) { return s.cumulative.otherDeduction.writeTo(o); }},
    {"累计应纳税所得额",
     [](char* o, const WithholdingStep& s) { return s.taxableIncome.writeTo(o); }},
    {"税率",
     [](char* o, const WithholdingStep& s) { return WritePercent(o, s.bracket.ratePercent); },
     [](char* o, const SeparateTax& t) { return WritePercent(o, t.bracket.ratePercent); }},
    {"速算扣除数",
     [](char* o, const WithholdingStep& s) { return s.bracket.quickDeduction.writeTo(o); },
     [](char* o, const SeparateTax& t) { return t.bracket.quickDeduction.writeTo(o); }},
    {"累计应纳税额", [](char* o, const WithholdingStep& s) { return s.cumulativeTax.writeTo(o); }},
    {"累计已预缴税额",
     [](char* o, const WithholdingStep& s) { return s.alreadyWithheld.writeTo(o); }},
    {"本期应预扣预缴税额", [](char* o, const WithholdingStep& s) { return s.withheld.writeTo(o); },
     [](char* o, const SeparateTax& t) { return t.tax.writeTo(o); }},
    {"本期税后收入", [](char* o, const WithholdingStep& s) { return s.afterTax.writeTo(o); },
     [](char* o, const SeparateTax& t) { return t.afterTax().writeTo(o); }},
}};

const std::array<SeparateTaxColumn, 2> kSeparateTaxColumns = {{
    {"减除费用", [](char* o, const SeparateTax& t) { return t.deduction.writeTo(o); }},
    {"应纳税所得额", [](char* o, const SeparateTax& t) { return t.taxable.writeTo(o); }},
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

// Room for every figure of a row, each with its comma.
constexpr std::size_t kFiguresText =
    (kFigureColumns.size() + kSeparateTaxColumns.size()) * (law::Money::kMaxTextLength + 1);

// The figures' comma before the line end becomes the CR of CRLF.
void EndRow(std::string& out, char* figures, char* end)
{
    end[-1] = '\r';
    *end++ = '\n';
    out.append(figures, static_cast<std::size_t>(end - figures));
}

} // namespace

void PayrollWriter::writeRow(std::string& out, const CsvRecord& record,
                             const law::WithholdingStep& step) const
{
    copyCells(out, record);
    char figures[kFiguresText + 1];
    char* p = figures;
    for (const FigureColumn& column : kFigureColumns) {
        p = column.write(p, step);
        *p++ = ',';
    }
    if (separateTaxColumns_)
        for (std::size_t i = 0; i < kSeparateTaxColumns.size(); ++i)
            *p++ = ',';
    EndRow(out, figures, p);
}

void PayrollWriter::writeSeparateRow(std::string& out, const CsvRecord& record,
                                     const law::SeparateTax& tax) const
{
    copyCells(out, record);
    char figures[kFiguresText + 1];
    char* p = figures;
    for (const FigureColumn& column : kFigureColumns) {
        if (column.writeSeparate)
            p = column.writeSeparate(p, tax);
        *p++ = ',';
    }
    for (const SeparateTaxColumn& column : kSeparateTaxColumns) {
        p = column.write(p, tax);
        *p++ = ',';
    }
    EndRow(out, figures, p);
}

} // namespace tallyra::payroll
