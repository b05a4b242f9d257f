// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/withhold_job.h"

#include "law/calendar.h"
#include "law/laws.h"
#include "law/money.h"
#include "law/withholding.h"
#include "payroll/invisible_characters.h"
#include "payroll/payroll_columns.h"
#include "payroll/payroll_line.h"
#include "payroll/payroll_output.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tallyra::payroll {

using law::Money;
using law::YearMonth;

std::string PayrollError::message() const
{
    std::string text;
    if (line > 0) {
        text = "第 " + std::to_string(line) + " 行";
        text += column.empty() ? "：" : "，列“" + ShownText(column) + "”：";
    }
    return text + what;
}

namespace {

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// One employee's current year at this employer.
struct EmployeeYear {
    law::CumulativeWithholding withholding;
    long lastLine;
    bool lastWasBonus = false; // the last line was a bonus taxed with its month's wage
};

// A bonus taxed on its own: the year, and the line it was on.
struct SeparateBonus {
    int year = 0;
    long line = 0;
};

std::string MiB(std::size_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}
std::string EmployeeText(std::string_view id)
{
    return "工号" + Quoted(id) + "的 ";
}

// One withholding over a payroll file: its lines read in order, each employee's year kept,
// every figure written as the line is read.
class WithholdingRun {
public:
    WithholdingRun(ByteSource& input, ByteSink& output)
        : input_(input)
        , writer_(output)
    {
    }

    std::variant<PayrollSummary, PayrollError> run();

private:
    std::optional<PayrollError> processLine(const CsvRecord& record);
    std::optional<PayrollError> refuseSwallowedLine(const CsvRecord& record) const;
    std::optional<PayrollError> yearOf(const PayrollLine& line, long lineNumber,
                                       EmployeeYear*& year);
    std::optional<PayrollError> withholdCumulatively(const CsvRecord& record,
                                                     const PayrollLine& line);
    std::optional<PayrollError> taxOnItsOwn(const CsvRecord& record, const PayrollLine& line);
    std::size_t payees() const;
    PayrollError inputError(long line, std::string column, std::string what) const
    {
        return {PayrollError::Kind::Input, line, std::move(column), std::move(what)};
    }

    ByteSource& input_;
    PayrollWriter writer_;
    PayrollColumns columns_;
    PayrollLineReader reader_{columns_};
    std::unordered_map<std::string, EmployeeYear, StringHash, std::equal_to<>> employees_;
    // Everyone paid on a line taxed on its own, with their bonus taxed on its own, if any.
    std::unordered_map<std::string, std::vector<SeparateBonus>, StringHash, std::equal_to<>>
        separatelyPaid_;
    long rows_ = 0;
};

// Finds or starts the employee's year, refusing months out of order and changed settings.
std::optional<PayrollError> WithholdingRun::yearOf(const PayrollLine& line, long lineNumber,
                                                   EmployeeYear*& year)
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

    auto found = employees_.find(line.employee);
    if (found != employees_.end()) {
        EmployeeYear& known = found->second;
        const law::CumulativeWithholding& w = known.withholding;
        const YearMonth last{w.year(), w.lastMonth()};
        // A bonus taxed with its month's wage comes after that month's wage line.
        if (period == last && line.kind != IncomeKind::Bonus)
            return inputError(lineNumber, kPeriodColumn,
                              EmployeeText(line.employee) + law::ToString(period) + " 已在第 " +
                                  std::to_string(known.lastLine) + " 行出现过" +
                                  (known.lastWasBonus
                                       ? "（并入综合所得的全年一次性奖金应在同月的工资之后）"
                                       : ""));
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
            year = &known;
            return std::nullopt;
        }
        // A new year starts the cumulation again.
        known = {
            law::CumulativeWithholding(period.year, firstMonth, line.wholeYear.value_or(false)),
            lineNumber};
        year = &known;
        return std::nullopt;
    }
    auto [inserted, _] =
        employees_.emplace(std::string(line.employee),
                           EmployeeYear{law::CumulativeWithholding(period.year, firstMonth,
                                                                   line.wholeYear.value_or(false)),
                                        lineNumber});
    year = &inserted->second;
    return std::nullopt;
}

// A stray quote makes one record of two lines, the second line's cells in the first's
// columns. A line break in a known column's cell, or in a cell that holds as many commas as a
// whole line, is that; a note over two lines is not.
std::optional<PayrollError> WithholdingRun::refuseSwallowedLine(const CsvRecord& record) const
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

std::optional<PayrollError> WithholdingRun::processLine(const CsvRecord& record)
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
    try {
        if (auto error =
                line.separately ? taxOnItsOwn(record, line) : withholdCumulatively(record, line))
            return error;
    } catch (const law::MoneyOverflow&) {
        return inputError(record.line, "",
                          line.separately ? "金额超出可计算的范围" : "累计金额超出可计算的范围");
    }
    ++rows_;
    return std::nullopt;
}

// A wage line, or a bonus taxed with the wages: one more step of the employee's cumulative year.
std::optional<PayrollError> WithholdingRun::withholdCumulatively(const CsvRecord& record,
                                                                 const PayrollLine& line)
{
    EmployeeYear* year = nullptr;
    if (auto error = yearOf(line, record.line, year))
        return error;
    law::CumulativeWithholding& withholding = year->withholding;
    const bool bonus = line.kind == IncomeKind::Bonus;
    const law::WithholdingStep step = bonus && withholding.lastMonth() == line.period.month
                                          ? withholding.withholdAgain(line.figures)
                                          : withholding.withhold(line.period.month, line.figures);
    year->lastWasBonus = bonus;
    writer_.writeRow(record, columns_.count(), step);
    return std::nullopt;
}

// A bonus taxed on its own (once a year), a payment of labour, authors' or royalty income, or
// severance pay: taxed by itself, the cumulative year untouched.
std::optional<PayrollError> WithholdingRun::taxOnItsOwn(const CsvRecord& record,
                                                        const PayrollLine& line)
{
    auto found = separatelyPaid_.find(line.employee);
    if (found == separatelyPaid_.end())
        found =
            separatelyPaid_.emplace(std::string(line.employee), std::vector<SeparateBonus>()).first;
    if (line.kind == IncomeKind::Bonus) {
        std::vector<SeparateBonus>& bonuses = found->second;
        for (const SeparateBonus& earlier : bonuses)
            if (earlier.year == line.period.year) {
                const CellProblem problem = SecondSeparateBonus(
                    columns_.bonusMethod ? kBonusMethodColumn : kIncomeKindColumn, line.employee,
                    earlier.year, earlier.line);
                return inputError(record.line, problem.column, problem.what);
            }
        bonuses.push_back({line.period.year, record.line});
    }
    writer_.writeSeparateRow(
        record, columns_.count(),
        TaxOnItsOwn(line.kind, line.period, line.figures.income, line.averageWage));
    return std::nullopt;
}

// Everyone the file pays: the employees with wage lines and those paid only otherwise.
std::size_t WithholdingRun::payees() const
{
    std::size_t count = employees_.size();
    for (const auto& [id, _] : separatelyPaid_)
        count += employees_.find(id) == employees_.end() ? 1 : 0;
    return count;
}

bool IsBlank(const CsvRecord& record)
{
    for (std::string_view field : record.fields)
        if (!TrimSpaces(field).empty())
            return false;
    return true;
}

std::string EncodingProblem(const CsvReader& reader, CsvStatus status)
{
    const std::string decided = "文件按第 " + std::to_string(reader.encodingLine()) + " 行定为 ";
    switch (status) {
    case CsvStatus::NotUtf8:
        return reader.hadByteOrderMark() ? "文件以 UTF-8 标记开头，但这一行不是有效的 UTF-8"
                                         : decided + "UTF-8，但这一行不是有效的 UTF-8";
    case CsvStatus::Utf8InGb18030:
        return decided + "GB18030，但这一行是 UTF-8 文本（请把整个文件存为同一种编码）";
    default:
        return "不是有效的 UTF-8 或 GB18030 文本";
    }
}

PayrollError ReaderError(const CsvReader& reader, CsvStatus status)
{
    const long line = reader.problemLine();
    switch (status) {
    case CsvStatus::NotUtf8:
    case CsvStatus::NotGb18030:
    case CsvStatus::Utf8InGb18030:
        return {PayrollError::Kind::Input, line, "", EncodingProblem(reader, status)};
    case CsvStatus::UnclosedQuote:
        return {PayrollError::Kind::Input, line, "", "引号没有闭合"};
    case CsvStatus::TextAfterQuote:
        return {PayrollError::Kind::Input, line, "", "右引号后应为逗号或行尾"};
    case CsvStatus::LineTooLong:
        return {PayrollError::Kind::Input, line, "",
                "这一行长于 " + MiB(kMaxLineBytes) + "，不像是工资表的一行"};
    case CsvStatus::RecordTooLong:
        return {PayrollError::Kind::Input, line, "",
                "从这一行起的一条记录长于 " + MiB(kMaxRecordBytes) + "（是否少了右引号？）"};
    default:
        return {PayrollError::Kind::Input, 0, "", "读取输入文件失败"};
    }
}

std::variant<PayrollSummary, PayrollError> WithholdingRun::run()
{
    LineReader lines(input_);
    CsvReader reader(lines);
    CsvRecord record;
    CsvStatus status = reader.next(record);
    if (status == CsvStatus::End)
        return PayrollError{PayrollError::Kind::Input, 1, "", "文件是空的，缺少标题行"};
    if (status != CsvStatus::Record)
        return ReaderError(reader, status);
    if (auto error = columns_.read(record))
        return PayrollError{PayrollError::Kind::Input, 1, error->column, error->what};
    writer_.writeHeader(record, columns_.count(), columns_.incomeKind.has_value());

    while ((status = reader.next(record)) == CsvStatus::Record) {
        if (IsBlank(record))
            continue;
        if (auto error = processLine(record))
            return *error;
        if (!writer_.ok())
            return PayrollError{PayrollError::Kind::Output, 0, "", "写入输出文件失败"};
    }
    if (status != CsvStatus::End)
        return ReaderError(reader, status);
    if (!writer_.finish())
        return PayrollError{PayrollError::Kind::Output, 0, "", "写入输出文件失败"};
    return PayrollSummary{
        rows_,           payees(),         reader.encoding(), reader.hadByteOrderMark(),
        columns_.used(), columns_.copied()};
}

} // namespace

std::variant<PayrollSummary, PayrollError> WithholdPayroll(ByteSource& input, ByteSink& output)
{
    return WithholdingRun(input, output).run();
}

} // namespace tallyra::payroll
