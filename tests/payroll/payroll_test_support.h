// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/withhold_job.h"

#include <QStringList>

#include <string>

// Running the payroll reader and writer in memory, and reading what it wrote.
namespace payroll_test {

inline constexpr char kBom[] = "\xEF\xBB\xBF";

struct Run {
    std::string output;
    std::string error; // empty on success
    tallyra::payroll::PayrollSummary summary;
};

inline Run Withhold(tallyra::payroll::ByteSource& source)
{
    tallyra::payroll::StringSink sink;
    Run run;
    const auto result = tallyra::payroll::WithholdPayroll(source, sink);
    if (const auto* error = std::get_if<tallyra::payroll::PayrollError>(&result))
        run.error = error->message();
    else
        run.summary = std::get<tallyra::payroll::PayrollSummary>(result);
    run.output = sink.text();
    return run;
}

inline Run Withhold(std::string input)
{
    tallyra::payroll::MemorySource source(std::move(input));
    return Withhold(source);
}

// The output's lines without the byte-order mark, split at CRLF.
inline QStringList Lines(const std::string& output)
{
    if (output.rfind(kBom, 0) != 0)
        return {"(no byte-order mark)"};
    QString text = QString::fromStdString(output.substr(3));
    if (!text.endsWith("\r\n"))
        return {"(no final CRLF)"};
    text.chop(2);
    return text.split("\r\n");
}

// The figures a line added, after the `inputColumns` cells it copied.
inline QStringList Figures(const QString& line, int inputColumns)
{
    return line.split(',').mid(inputColumns);
}

inline QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace payroll_test
