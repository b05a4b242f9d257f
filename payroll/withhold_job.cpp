// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/withhold_job.h"

#include "law/calendar.h"
#include "law/laws.h"
#include "law/money.h"
#include "law/withholding.h"
#include "payroll/invisible_characters.h"
#include "payroll/payroll_columns.h"
#include "payroll/payroll_output.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

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

// The first month of the cumulative method, the only one this command applies.
YearMonth FirstCumulativeMonth()
{
    const law::CivilDate from = law::CumulativeMethod().from;
    return {from.year, from.month};
}

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// One employee's current year at this employer.
struct EmployeeYear {
    law::CumulativeWithholding withholding;
    long lastLine;
};

// A line's values, read and checked.
struct PayrollLine {
    std::string_view employee;
    YearMonth period;
    law::MonthFigures figures;
    std::optional<YearMonth> firstEmployed;
    std::optional<bool> wholeYear;
};

// A cell as a message shows it.
std::string Quoted(std::string_view text)
{
    return "“" + ShownText(text) + "”";
}

std::string MiB(std::size_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}
std::string EmployeeText(std::string_view id)
{
    return "工号" + Quoted(id) + "的 ";
}

class Job {
public:
    Job(ByteSource& input, ByteSink& output)
        : input_(input)
        , writer_(output)
    {
    }

    std::variant<PayrollSummary, PayrollError> run();

private:
    std::optional<PayrollError> processLine(const CsvRecord& record);
    std::optional<PayrollError> refuseSwallowedLine(const CsvRecord& record) const;
    std::optional<PayrollError> readLine(const CsvRecord& record, PayrollLine& line) const;
    std::optional<PayrollError> readMoney(const CsvRecord& record, std::optional<int> column,
                                          bool required, Money& value) const;
    std::optional<PayrollError> readPeriod(const CsvRecord& record, int column,
                                           std::optional<YearMonth>& value) const;
    std::optional<PayrollError> readWholeYear(const CsvRecord& record,
                                              std::optional<bool>& value) const;
    std::optional<PayrollError> yearOf(const PayrollLine& line, long lineNumber,
                                       EmployeeYear*& year);
    PayrollError inputError(long line, std::string column, std::string what) const
    {
        return {PayrollError::Kind::Input, line, std::move(column), std::move(what)};
    }
    std::string_view cell(const CsvRecord& record, std::optional<int> column) const
    {
        return column && *column < static_cast<int>(record.fields.size())
                   ? record.fields[static_cast<std::size_t>(*column)]
                   : std::string_view();
    }

    ByteSource& input_;
    PayrollWriter writer_;
    PayrollColumns columns_;
    std::unordered_map<std::string, EmployeeYear, StringHash, std::equal_to<>> employees_;
    long rows_ = 0;
    const YearMonth firstCumulativeMonth_ = FirstCumulativeMonth();
};

std::optional<PayrollError> Job::readMoney(const CsvRecord& record, std::optional<int> column,
                                           bool required, Money& value) const
{
    const std::string& name = columns_.nameOf(column);
    const std::string_view raw = cell(record, column);
    const std::string_view text = TrimSpaces(raw);
    if (text.empty()) {
        if (required)
            return inputError(record.line, name, "缺少必填的值");
        value = Money();
        return std::nullopt;
    }
    const law::ParsedMoney parsed = law::ParseMoney(text);
    if (parsed.error == law::MoneyTextError::TooLarge)
        return inputError(record.line, name, Quoted(raw) + "超出可计算的范围");
    if (!parsed.ok())
        return inputError(record.line, name, Quoted(raw) + "不是金额");
    value = parsed.value;
    return std::nullopt;
}

std::optional<PayrollError> Job::readPeriod(const CsvRecord& record, int column,
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

std::optional<PayrollError> Job::readWholeYear(const CsvRecord& record,
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

std::optional<PayrollError> Job::readLine(const CsvRecord& record, PayrollLine& line) const
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
    law::MonthFigures& f = line.figures;
    if (auto error = readMoney(record, columns_.income, true, f.income))
        return error;
    for (auto [column, target] : {std::pair{columns_.exempt, &f.exemptIncome},
                                  std::pair{columns_.special, &f.specialDeduction},
                                  std::pair{columns_.specialAdditional, &f.specialAdditional},
                                  std::pair{columns_.other, &f.otherDeduction}})
        if (auto error = readMoney(record, column, false, *target))
            return error;
    line.firstEmployed.reset();
    if (columns_.firstEmployed)
        if (auto error = readPeriod(record, *columns_.firstEmployed, line.firstEmployed))
            return error;
    return readWholeYear(record, line.wholeYear);
}

// Finds or starts the employee's year, refusing months out of order and changed settings.
std::optional<PayrollError> Job::yearOf(const PayrollLine& line, long lineNumber,
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
        if (period == last)
            return inputError(lineNumber, kPeriodColumn,
                              EmployeeText(line.employee) + law::ToString(period) + " 已在第 " +
                                  std::to_string(known.lastLine) + " 行出现过");
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
std::optional<PayrollError> Job::refuseSwallowedLine(const CsvRecord& record) const
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

std::optional<PayrollError> Job::processLine(const CsvRecord& record)
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
    if (auto error = readLine(record, line))
        return error;
    EmployeeYear* year = nullptr;
    if (auto error = yearOf(line, record.line, year))
        return error;
    try {
        const law::WithholdingStep step =
            year->withholding.withhold(line.period.month, line.figures);
        writer_.writeRow(record, columns_.count(), step);
    } catch (const law::MoneyOverflow&) {
        return inputError(record.line, "", "累计金额超出可计算的范围");
    }
    ++rows_;
    return std::nullopt;
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

std::variant<PayrollSummary, PayrollError> Job::run()
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
    writer_.writeHeader(record, columns_.count());

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
        rows_,           employees_.size(), reader.encoding(), reader.hadByteOrderMark(),
        columns_.used(), columns_.copied()};
}

} // namespace

std::variant<PayrollSummary, PayrollError> WithholdPayroll(ByteSource& input, ByteSink& output)
{
    return Job(input, output).run();
}

} // namespace tallyra::payroll
