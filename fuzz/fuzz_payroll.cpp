// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a payroll file, and as an amount: the reader, the encodings, the checks and the
// withholding must neither crash nor wrap. A file that is accepted comes back as UTF-8 with a
// byte-order mark and CRLF line ends; an amount that is read writes back to the same figure.
#include "law/money.h"
#include "payroll/byte_stream.h"
#include "payroll/withhold_job.h"

#include <cstdint>
#include <cstdlib>
#include <string>

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
    return 0;
}
