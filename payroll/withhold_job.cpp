// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/withhold_job.h"

#include "payroll/invisible_characters.h"
#include "payroll/payroll_columns.h"
#include "payroll/payroll_output.h"
#include "payroll/payroll_share.h"
#include "payroll/record_batch.h"
#include "payroll/share_threads.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace tallyra::payroll {

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

// The input read before it is handed on, at most: enough to make a thread's share of it worth
// handing over, little enough to keep two batches and their output in a few MiB.
constexpr std::size_t kBatchBytes = std::size_t(1) << 18;

std::string MiB(std::size_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
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

PayrollError WriteFailure()
{
    return {PayrollError::Kind::Output, 0, "", "写入输出文件失败"};
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

// One withholding over a payroll file: batches of records read in order, withheld by the
// shares, their rows written back in input order.
class WithholdingRun {
public:
    WithholdingRun(ByteSource& input, ByteSink& output, const WithholdOptions& options)
        : lines_(input)
        , reader_(lines_)
        , output_(output)
        , options_(options)
    {
    }

    std::variant<PayrollSummary, PayrollError> run();

private:
    std::optional<PayrollError> readHeader();
    std::uint64_t hashOf(const CsvRecord& record) const;
    std::variant<PayrollSummary, PayrollError> runOnThisThread();
    std::variant<PayrollSummary, PayrollError> runWithThreads();
    CsvStatus fill(RecordBatch& batch);
    std::optional<PayrollError> firstRefusal(const BatchWork& work) const;
    bool write(const BatchWork& work);
    PayrollSummary summary() const;

    LineReader lines_;
    CsvReader reader_;
    ByteSink& output_;
    WithholdOptions options_;
    CsvRecord record_;
    // Read by every share at every row, and written by no one once the header is read: on cache
    // lines of their own, apart from the record this thread writes at every line.
    alignas(64) PayrollColumns columns_;
    std::optional<PayrollWriter> writer_;
    alignas(64) std::vector<std::unique_ptr<PayrollShare>> shares_;
    std::string rows_; // a batch's rows in input order
};

std::optional<PayrollError> WithholdingRun::readHeader()
{
    const CsvStatus status = reader_.next(record_);
    if (status == CsvStatus::End)
        return PayrollError{PayrollError::Kind::Input, 1, "", "文件是空的，缺少标题行"};
    if (status != CsvStatus::Record)
        return ReaderError(reader_, status);
    if (auto error = columns_.read(record_))
        return PayrollError{PayrollError::Kind::Input, 1, error->column, error->what};
    writer_.emplace(columns_.count(), columns_.incomeKind.has_value());
    if (!output_.write(writer_->header(record_)))
        return WriteFailure();
    return std::nullopt;
}

// The hash of the record's 工号 cell, trimmed: the share it belongs to.
std::uint64_t WithholdingRun::hashOf(const CsvRecord& record) const
{
    const auto employee = static_cast<std::size_t>(*columns_.employee);
    return EmployeeHash(employee < record.fields.size() ? TrimSpaces(record.fields[employee])
                                                        : std::string_view());
}

// Reads records into the batch until it is full (Record) or the reader stops (End or a
// problem).
CsvStatus WithholdingRun::fill(RecordBatch& batch)
{
    batch.clear();
    while (batch.size() < options_.batchRecords && batch.bytes() < kBatchBytes) {
        const CsvStatus status = reader_.next(record_);
        if (status != CsvStatus::Record)
            return status;
        batch.add(record_, hashOf(record_));
    }
    return CsvStatus::Record;
}

// The refusal of the batch's first line refused: each share stopped at its own first.
std::optional<PayrollError> WithholdingRun::firstRefusal(const BatchWork& work) const
{
    const std::optional<PayrollError>* first = nullptr;
    for (const ShareWork& share : work.shares)
        if (share.error && (!first || share.error->line < (*first)->line))
            first = &share.error;
    return first ? **first : std::optional<PayrollError>();
}

// The batch's rows in input order, taken from the shares in turn.
bool WithholdingRun::write(const BatchWork& work)
{
    rows_.clear();
    std::vector<std::size_t> next(shares_.size(), 0), from(shares_.size(), 0);
    for (std::size_t i = 0; i < work.records.size(); ++i) {
        const std::size_t share = work.records.entry(i).hash % shares_.size();
        const ShareWork& made = work.shares[share];
        const std::size_t to = made.rowEnds[next[share]++];
        rows_.append(made.rows, from[share], to - from[share]);
        from[share] = to;
    }
    return output_.write(rows_);
}

PayrollSummary WithholdingRun::summary() const
{
    PayrollSummary summary{
        0, 0, reader_.encoding(), reader_.hadByteOrderMark(), columns_.used(), columns_.copied()};
    for (const auto& share : shares_) {
        summary.rows += share->rows();
        summary.employees += share->payees();
    }
    return summary;
}

std::variant<PayrollSummary, PayrollError> WithholdingRun::run()
{
    if (auto error = readHeader())
        return *error;
    const unsigned count = std::clamp(options_.threads, 1u, kMaxThreads);
    for (unsigned share = 0; share < count; ++share)
        shares_.push_back(std::make_unique<PayrollShare>(columns_, *writer_, share, count));
    return count == 1 ? runOnThisThread() : runWithThreads();
}

// One share: each record withheld as soon as it is read, with no batch to copy it into, and the
// rows written some 256 KiB at a time. As with batches, a refusal leaves the rows not yet
// written unwritten, while a line the reader refuses comes after the rows before it.
std::variant<PayrollSummary, PayrollError> WithholdingRun::runOnThisThread()
{
    PayrollShare& share = *shares_.front();
    rows_.clear();
    CsvStatus status;
    while ((status = reader_.next(record_)) == CsvStatus::Record) {
        if (auto refusal = share.withhold(record_, hashOf(record_), rows_))
            return *refusal;
        if (rows_.size() >= kBatchBytes) {
            if (!output_.write(rows_))
                return WriteFailure();
            rows_.clear();
        }
    }
    if (!rows_.empty() && !output_.write(rows_))
        return WriteFailure();
    if (status != CsvStatus::End)
        return ReaderError(reader_, status);
    return summary();
}

std::variant<PayrollSummary, PayrollError> WithholdingRun::runWithThreads()
{
    // Two batches: the shares withhold one while this thread reads the next and then writes the
    // first (the threads stop before the batches go).
    BatchWork batches[2];
    CsvStatus stops[2];
    ShareThreads threads(shares_);
    stops[0] = fill(batches[0].records);
    threads.start(batches[0]);
    CsvStatus stop = CsvStatus::Record;
    for (std::size_t k = 0; stop == CsvStatus::Record; ++k) {
        BatchWork& work = batches[k % 2];
        stop = stops[k % 2];
        const bool more = stop == CsvStatus::Record;
        if (more) {
            stops[(k + 1) % 2] = fill(batches[(k + 1) % 2].records);
            threads.start(batches[(k + 1) % 2]);
        }
        threads.finish(work);
        const std::optional<PayrollError> refusal = firstRefusal(work);
        // An exception is what one thread would have met, unless it had stopped before.
        if (work.failure && (!refusal || refusal->line > work.failureLine))
            std::rethrow_exception(work.failure);
        if (refusal)
            return *refusal;
        if (!write(work))
            return WriteFailure();
    }
    if (stop != CsvStatus::End)
        return ReaderError(reader_, stop);
    return summary();
}

} // namespace

std::variant<PayrollSummary, PayrollError> WithholdPayroll(ByteSource& input, ByteSink& output,
                                                           const WithholdOptions& options)
{
    return WithholdingRun(input, output, options).run();
}

} // namespace tallyra::payroll
