// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/payroll_line.h"

#include "law/laws.h"
#include "law/withholding.h"
#include "payroll/invisible_characters.h"

#include <utility>

namespace tallyra::payroll {

using law::Money;
using law::YearMonth;

namespace {

// The first month of the cumulative method, the only one this command applies.
YearMonth FirstCumulativeMonth()
{
    const law::CivilDate from = law::CumulativeMethod().from;
    return {from.year, from.month};
}

} // namespace

PayrollLineReader::PayrollLineReader(const PayrollColumns& columns)
    : columns_(columns)
    , firstCumulativeMonth_(FirstCumulativeMonth())
{
}

std::optional<PayrollError> PayrollLineReader::readMoney(const CsvRecord& record,
                                                         std::optional<int> column, bool required,
                                                         Money& value) const
{
    const std::string_view raw = cell(record, column);
    const std::string_view text = TrimSpaces(raw);
    if (text.empty()) {
        if (required)
            return inputError(record.line, columns_.nameOf(column), "缺少必填的值");
        value = Money();
        return std::nullopt;
    }
    const law::ParsedMoney parsed = law::ParseMoney(text);
    if (parsed.error == law::MoneyTextError::TooLarge)
        return inputError(record.line, columns_.nameOf(column), Quoted(raw) + "超出可计算的范围");
    if (!parsed.ok())
        return inputError(record.line, columns_.nameOf(column), Quoted(raw) + "不是金额");
    value = parsed.value;
    return std::nullopt;
}

std::optional<PayrollError> PayrollLineReader::readPeriod(const CsvRecord& record, int column,
                                                          std::optional<YearMonth>& value) const
{
    const std::string_view raw = cell(record, column);
    const std::string_view text = TrimSpaces(raw);
    value.reset();
    if (text.empty())
        return std::nullopt;
    if (HasControl(text))
        return inputError(record.line, columns_.nameOf(column), Quoted(raw) + "含有控制字符");
    value = law::ParseYearMonth(text);
    if (!value)
        return inputError(record.line, columns_.nameOf(column),
                          Quoted(raw) + "不是年月（应为 YYYY-MM，如 2026-03）");
    return std::nullopt;
}

std::optional<PayrollError> PayrollLineReader::readWholeYear(const CsvRecord& record,
                                                             std::optional<bool>& value) const
{
    const std::string_view raw = cell(record, columns_.wholeYear);
    const std::string_view text = TrimSpaces(raw);
    value.reset();
    if (text == "是")
        value = true;
    else if (text == "否")
        value = false;
    else if (!text.empty())
        return inputError(record.line, kWholeYearColumn, Quoted(raw) + "应为“是”或“否”");
    return std::nullopt;
}

std::optional<PayrollError> PayrollLineReader::read(const CsvRecord& record,
                                                    PayrollLine& line) const
{
    line.employee = TrimSpaces(cell(record, columns_.employee));
    if (line.employee.empty())
        return inputError(record.line, kEmployeeColumn, "缺少必填的值");
    // "E001" and "E001" with a NUL or a zero-width space behind would be two employees.
    if (HasInvisibleOtherThanSpace(line.employee))
        return inputError(record.line, kEmployeeColumn,
                          Quoted(line.employee) + "含有控制字符或看不见的字符，会被当作另一名员工");
    std::optional<YearMonth> period;
    if (auto error = readPeriod(record, *columns_.period, period))
        return error;
    if (!period)
        return inputError(record.line, kPeriodColumn, "缺少必填的值");
    if (*period < firstCumulativeMonth_)
        return inputError(record.line, kPeriodColumn,
                          law::ToString(*period) + " 早于 " + law::ToString(firstCumulativeMonth_) +
                              "：本程序按 " + std::to_string(firstCumulativeMonth_.year) +
                              " 年起的累计预扣法计算");
    line.period = *period;
    if (auto error = readMoney(record, columns_.income, true, line.figures.income))
        return error;
    if (auto error = readKind(record, line))
        return error;
    if (auto error = readDeductions(record, line))
        return error;
    line.firstEmployed.reset();
    line.wholeYear.reset();
    if (line.separately) // the employee's cumulative year is not touched
        return std::nullopt;
    if (columns_.firstEmployed)
        if (auto error = readPeriod(record, *columns_.firstEmployed, line.firstEmployed))
            return error;
    if (auto error = readWholeYear(record, line.wholeYear))
        return error;
    return refuseWholeYearBeforeItApplied(record.line, line);
}

// The whole-year deduction exists from the day its announcement applied; an earlier month
// cannot take it.
std::optional<PayrollError>
PayrollLineReader::refuseWholeYearBeforeItApplied(long lineNumber, const PayrollLine& line) const
{
    if (!line.wholeYear.value_or(false) || law::WholeYearDeductionFor(line.period.year))
        return std::nullopt;
    const auto& first = law::kWholeYearWithholdingDeduction.first();
    return inputError(lineNumber, kWholeYearColumn,
                      law::ToString(line.period) + " 不能选“" + kWholeYearColumn + "”：" +
                          first.source.document + "自 " + law::ToString(first.from) + " 起施行");
}

// 所得项目 and what goes with it: 奖金计税方式 on a bonus, 当地上年职工平均工资 on severance pay.
std::optional<PayrollError> PayrollLineReader::readKind(const CsvRecord& record,
                                                        PayrollLine& line) const
{
    line.kind = IncomeKind::Wage;
    line.averageWage = Money();
    if (columns_.incomeKind) {
        const auto kind = ReadIncomeKind(cell(record, columns_.incomeKind));
        if (const auto* problem = std::get_if<CellProblem>(&kind))
            return inputError(record.line, problem->column, problem->what);
        line.kind = std::get<IncomeKind>(kind);
    }
    line.separately = line.kind != IncomeKind::Wage;
    if (line.kind == IncomeKind::Bonus) {
        const auto separately =
            ReadBonusSeparately(cell(record, columns_.bonusMethod), line.period);
        if (const auto* problem = std::get_if<CellProblem>(&separately))
            return inputError(record.line, problem->column, problem->what);
        line.separately = std::get<bool>(separately);
    } else if (auto error = readOnlyOn(record, columns_.bonusMethod, "全年一次性奖金")) {
        return error;
    }
    if (line.kind != IncomeKind::Severance)
        return readOnlyOn(record, columns_.averageWage, "解除劳动关系补偿金");
    if (!columns_.averageWage)
        return inputError(record.line, kAverageWageColumn,
                          "解除劳动关系补偿金须填当地上年职工平均工资，文件缺少这一列");
    return readMoney(record, columns_.averageWage, true, line.averageWage);
}

// A column that only rows of one kind fill.
std::optional<PayrollError> PayrollLineReader::readOnlyOn(const CsvRecord& record,
                                                          std::optional<int> column,
                                                          std::string_view rows) const
{
    const std::string_view raw = cell(record, column);
    if (TrimSpaces(raw).empty())
        return std::nullopt;
    return inputError(record.line, columns_.nameOf(column),
                      Quoted(raw) + "：这一列只用于" + std::string(rows) + "的行");
}

// A wage row's deductions. A row taxed on its own deducts none of them, and a bonus taxed with
// its month's wage adds income only (the deductions are the wage row's): there each is empty or
// 0, lest a figure be read and silently not used.
std::optional<PayrollError> PayrollLineReader::readDeductions(const CsvRecord& record,
                                                              PayrollLine& line) const
{
    law::MonthFigures& f = line.figures;
    const std::pair<std::optional<int>, Money*> deductions[] = {
        {columns_.exempt, &f.exemptIncome},
        {columns_.special, &f.specialDeduction},
        {columns_.specialAdditional, &f.specialAdditional},
        {columns_.other, &f.otherDeduction}};
    for (auto [column, target] : deductions) {
        if (auto error = readMoney(record, column, false, *target))
            return error;
        if (line.kind == IncomeKind::Wage || target->isZero())
            continue;
        const std::string kind(IncomeKindName(line.kind));
        return inputError(record.line, columns_.nameOf(column),
                          Quoted(cell(record, column)) + "：" +
                              (line.separately
                                   ? kind + "单独计税，不减除这一项"
                                   : "并入综合所得的" + kind + "只加收入，这一项记在当月工资的行") +
                              "（应为空或 0）");
    }
    return std::nullopt;
}

} // namespace tallyra::payroll
