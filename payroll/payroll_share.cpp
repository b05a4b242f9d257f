// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/payroll_share.h"

#include "law/calendar.h"
#include "law/money.h"
#include "payroll/income_rows.h"
#include "payroll/invisible_characters.h"

#include <algorithm>

namespace tallyra::payroll {

using law::YearMonth;

namespace {

std::string EmployeeText(std::string_view id)
{
    return "工号" + Quoted(id) + "的 ";
}

bool IsBlank(const CsvRecord& record)
{
    for (std::string_view field : record.fields)
        if (!TrimSpaces(field).empty())
            return false;
    return true;
}

} // namespace

PayrollShare::PayrollShare(const PayrollColumns& columns, const PayrollWriter& writer,
                           unsigned share, unsigned shares)
    : columns_(columns)
    , writer_(writer)
    , share_(share)
    , shares_(shares)
{
}

std::optional<PayrollError> PayrollShare::withhold(const RecordBatch& batch, std::string& out,
                                                   std::vector<std::size_t>& rowEnds)
{
    for (std::size_t i = 0; i < batch.size(); ++i) {
        const RecordBatch::Entry& entry = batch.entry(i);
        if (!owns(entry))
            continue;
        batch.read(i, record_);
        if (auto error = withhold(record_, entry.hash, out))
            return error;
        rowEnds.push_back(out.size());
    }
    return std::nullopt;
}

std::optional<PayrollError> PayrollShare::withhold(const CsvRecord& record, std::uint64_t hash,
                                                   std::string& out)
{
    return IsBlank(record) ? std::nullopt : processLine(record, hash, out);
}

// Finds or starts the employee's year, refusing months out of order and changed settings.
std::optional<PayrollError> PayrollShare::yearOf(const PayrollLine& line, long lineNumber,
                                                 EmployeeState& employee)
{
    const YearMonth period = line.period;
    if (line.firstEmployed && *line.firstEmployed > period)
        return inputError(lineNumber, kPeriodColumn,
                          law::ToString(period) + " 早于受雇起始期 " +
                              law::ToString(*line.firstEmployed));
    // Employed since an earlier year: from January.
    const int firstMonth = !line.firstEmployed                      ? period.month
                           : line.firstEmployed->year < period.year ? 1
                                                                    : line.firstEmployed->month;

    if (!employee.year) {
        employee.year.emplace(EmployeeYear{
            law::CumulativeWithholding(period.year, firstMonth, line.wholeYear.value_or(false)),
            lineNumber});
        return std::nullopt;
    }
    EmployeeYear& known = *employee.year;
    const law::CumulativeWithholding& w = known.withholding;
    const YearMonth last{w.year(), w.lastMonth()};
    // A bonus taxed with its month's wage comes after that month's wage line.
    if (period == last && line.kind != IncomeKind::Bonus)
        return inputError(
            lineNumber, kPeriodColumn,
            EmployeeText(line.employee) + law::ToString(period) + " 已在第 " +
                std::to_string(known.lastLine) + " 行出现过" +
                (known.lastWasBonus ? "（并入综合所得的全年一次性奖金应在同月的工资之后）" : ""));
    if (period < last)
        return inputError(lineNumber, kPeriodColumn,
                          EmployeeText(line.employee) + law::ToString(period) + " 早于此前第 " +
                              std::to_string(known.lastLine) + " 行的 " + law::ToString(last));
    if (period.year == last.year) {
        if (line.firstEmployed && firstMonth != w.firstMonthEmployed())
            return inputError(lineNumber, kFirstEmployedColumn,
                              "与工号" + Quoted(line.employee) + "本年此前的受雇起始期 " +
                                  law::ToString(YearMonth{w.year(), w.firstMonthEmployed()}) +
                                  " 不一致");
        if (line.wholeYear && *line.wholeYear != w.wholeYearDeduction())
            return inputError(lineNumber, kWholeYearColumn,
                              "与工号" + Quoted(line.employee) + "本年此前的“" +
                                  (w.wholeYearDeduction() ? "是" : "否") + "”不一致");
        known.lastLine = lineNumber;
        return std::nullopt;
    }
    // A new year starts the cumulation again.
    known = {law::CumulativeWithholding(period.year, firstMonth, line.wholeYear.value_or(false)),
             lineNumber};
    return std::nullopt;
}

// A stray quote makes one record of two lines, the second line's cells in the first's
// columns. A line break in a known column's cell, or in a cell that holds as many commas as a
// whole line, is that; a note over two lines is not.
std::optional<PayrollError> PayrollShare::refuseSwallowedLine(const CsvRecord& record) const
{
    if (record.lastLine == record.line)
        return std::nullopt;
    for (std::size_t i = 0; i < record.fields.size() && i < columns_.count(); ++i) {
        const std::string_view field = record.fields[i];
        if (field.find_first_of("\r\n") == std::string_view::npos)
            continue;
        const std::string& name = columns_.nameOf(static_cast<int>(i));
        if (columns_.isKnown(i))
            return inputError(record.line, name,
                              Quoted(field) + "在引号内跨行：像是少了或多了一个引号");
        if (static_cast<std::size_t>(std::count(field.begin(), field.end(), ',')) + 1 >=
            columns_.count())
            return inputError(record.line, name,
                              "引号内的文字跨行，又含有一整行那么多的逗号：像是少了或多了一个引号");
    }
    return std::nullopt;
}

std::optional<PayrollError> PayrollShare::processLine(const CsvRecord& record, std::uint64_t hash,
                                                      std::string& out)
{
    if (record.fields.size() > columns_.count()) {
        for (std::size_t i = columns_.count(); i < record.fields.size(); ++i)
            if (!record.fields[i].empty())
                return inputError(record.line, "",
                                  "有 " + std::to_string(record.fields.size()) +
                                      " 个字段，多于标题行的 " + std::to_string(columns_.count()) +
                                      " 列");
    }
    if (auto error = refuseSwallowedLine(record))
        return error;
    PayrollLine line;
    if (auto error = reader_.read(record, line))
        return error;
    bool added = false;
    EmployeeState& employee = employees_.find(line.employee, hash, added);
    try {
        if (auto error = line.separately ? taxOnItsOwn(record, line, employee, out)
                                         : withholdCumulatively(record, line, employee, out))
            return error;
    } catch (const law::MoneyOverflow&) {
        return inputError(record.line, "",
                          line.separately ? "金额超出可计算的范围" : "累计金额超出可计算的范围");
    }
    ++rows_;
    return std::nullopt;
}

// A wage line, or a bonus taxed with the wages: one more step of the employee's cumulative year.
std::optional<PayrollError> PayrollShare::withholdCumulatively(const CsvRecord& record,
                                                               const PayrollLine& line,
                                                               EmployeeState& employee,
                                                               std::string& out)
{
    if (auto error = yearOf(line, record.line, employee))
        return error;
    EmployeeYear& year = *employee.year;
    law::CumulativeWithholding& withholding = year.withholding;
    const bool bonus = line.kind == IncomeKind::Bonus;
    const law::WithholdingStep step = bonus && withholding.lastMonth() == line.period.month
                                          ? withholding.withholdAgain(line.figures)
                                          : withholding.withhold(line.period.month, line.figures);
    year.lastWasBonus = bonus;
    writer_.writeRow(out, record, step);
    return std::nullopt;
}

// A bonus taxed on its own (once a year), a payment of labour, authors' or royalty income, or
// severance pay: taxed by itself, the cumulative year untouched.
std::optional<PayrollError> PayrollShare::taxOnItsOwn(const CsvRecord& record,
                                                      const PayrollLine& line,
                                                      EmployeeState& employee, std::string& out)
{
    if (line.kind == IncomeKind::Bonus) {
        for (const SeparateBonus& earlier : employee.separateBonuses)
            if (earlier.year == line.period.year) {
                const CellProblem problem = SecondSeparateBonus(
                    columns_.bonusMethod ? kBonusMethodColumn : kIncomeKindColumn, line.employee,
                    earlier.year, earlier.line);
                return inputError(record.line, problem.column, problem.what);
            }
        employee.separateBonuses.push_back({line.period.year, record.line});
    }
    writer_.writeSeparateRow(
        out, record, TaxOnItsOwn(line.kind, line.period, line.figures.income, line.averageWage));
    return std::nullopt;
}

} // namespace tallyra::payroll
