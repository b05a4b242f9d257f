// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a payroll file, and as an amount: the reader, the encodings, the checks and the
// withholding must neither crash nor wrap. A file that is accepted comes back as UTF-8 with a
// byte-order mark and CRLF line ends; an amount that is read writes back to the same figure.
// Two threads in small batches give what one thread gives, row for row or refusal for refusal.
#include "law/money.h"
#include "payroll/byte_stream.h"
#include "payroll/withhold_job.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <variant>

using namespace tallyra;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void FuzzAmount(std::string_view text)
{
    const law::ParsedMoney parsed = law::ParseMoney(text);
    if (!parsed.ok())
        return;
    const law::ParsedMoney again = law::ParseMoney(parsed.value.toString());
    Check(again.ok() && again.value == parsed.value);
}

std::string Outcome(const std::variant<payroll::PayrollSummary, payroll::PayrollError>& result,
                    const payroll::StringSink& sink)
{
    if (const auto* error = std::get_if<payroll::PayrollError>(&result))
        return "refused: " + error->message();
    return sink.text();
}

void CheckTwoThreadsAgree(const std::string& bytes, const std::string& oneThread)
{
    payroll::MemorySource source(bytes);
    payroll::StringSink sink;
    payroll::WithholdOptions options;
    options.threads = 2;
    options.batchRecords = 3;
    Check(Outcome(payroll::WithholdPayroll(source, sink, options), sink) == oneThread);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FuzzAmount(bytes.substr(0, 40));
    payroll::MemorySource source(bytes);
    payroll::StringSink sink;
    const auto result = payroll::WithholdPayroll(source, sink);
    if (std::holds_alternative<payroll::PayrollSummary>(result)) {
        const std::string& out = sink.text();
        Check(out.rfind("\xEF\xBB\xBF", 0) == 0);
        Check(out.size() >= 5 && out.compare(out.size() - 2, 2, "\r\n") == 0);
    } else {
        Check(!std::get<payroll::PayrollError>(result).message().empty());
    }
    CheckTwoThreadsAgree(bytes, Outcome(result, sink));
    return 0;
}
