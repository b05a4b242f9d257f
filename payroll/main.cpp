// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/command_line.h"
#include "payroll/files.h"
#include "payroll/invisible_characters.h"
#include "payroll/output_file.h"
#include "payroll/withhold_job.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace tallyra::payroll;

namespace {

constexpr int kSuccess = 0;
constexpr int kFileFailure = 1;
constexpr int kRefused = 2;

std::vector<std::string> Arguments(int argc, char** argv)
{
    std::vector<std::string> arguments;
#ifdef _WIN32
    // The UTF-16 command line, so that Chinese file names survive any code page.
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i) {
        const int length =
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), length, nullptr, nullptr);
        arguments.push_back(text);
    }
    LocalFree(wide);
    SetConsoleOutputCP(CP_UTF8);
    (void)argc;
#else
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
#endif
    return arguments;
}

void Report(const std::string& text)
{
    std::fprintf(stderr, "tallyra-payroll：%s\n", text.c_str());
}

// A file name in a message: as typed, but no control character reaches the terminal.
std::string Named(const std::string& path)
{
    return "“" + ShownText(path, std::string::npos) + "”";
}

std::string Listed(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : "、") + (name.empty() ? "（无名的列）" : ShownText(name));
    return list;
}

// What was written and from which columns, so that a column not recognised shows.
void PrintSummary(const Command& command, const PayrollSummary& summary, std::FILE* to)
{
    const std::string where = command.output == kStandardStream
                                  ? "标准输出"
                                  : " " + ShownText(command.output, std::string::npos);
    std::fprintf(to, "已写入%s：%ld 行，%zu 名员工（输入为 %s）\n", where.c_str(), summary.rows,
                 summary.employees,
                 summary.encoding == InputEncoding::Gb18030 ? "GB18030"
                 : summary.byteOrderMark                    ? "UTF-8，带 BOM"
                                                            : "UTF-8");
    std::string columns = "计算所用的列：" + Listed(summary.knownColumns);
    if (!summary.copiedColumns.empty())
        columns += "；原样复制的列：" + Listed(summary.copiedColumns);
    std::fprintf(to, "%s\n", columns.c_str());
}

// Why the output cannot be written, and the exit status that says so.
int ReportOutputProblem(const Command& command, OutputProblem problem)
{
    const std::string name = "输出文件" + Named(command.output);
    switch (problem) {
    case OutputProblem::SameAsInput:
        Report(name + "就是输入文件：结果会替换输入，请另选输出文件");
        return kRefused;
    case OutputProblem::IsDirectory:
        Report(name + "是一个文件夹");
        return kFileFailure;
    case OutputProblem::CannotOpen:
        Report("无法打开" + name);
        return kFileFailure;
    default:
        Report("无法在" + name + "旁创建临时文件");
        return kFileFailure;
    }
}

int Withhold(const Command& command)
{
    FileSource input(command.input);
    if (!input.isOpen()) {
        Report("无法打开输入文件" + Named(command.input));
        return kFileFailure;
    }
    OpenedOutput output = OpenOutput(command.output, input.identity());
    if (!output.file)
        return ReportOutputProblem(command, output.problem);
    WithholdOptions options;
    options.threads =
        command.threads != 0 ? command.threads : std::max(1u, std::thread::hardware_concurrency());
    const auto result = WithholdPayroll(input, *output.file, options);
    if (const auto* error = std::get_if<PayrollError>(&result)) {
        output.file->abandon();
        Report(error->message());
        return error->kind == PayrollError::Kind::Input && error->line > 0 ? kRefused
                                                                           : kFileFailure;
    }
    if (!output.file->commit()) {
        Report("无法写入输出文件" + Named(command.output));
        return kFileFailure;
    }
    PrintSummary(command, std::get<PayrollSummary>(result),
                 output.standardOutput ? stderr : stdout);
    return kSuccess;
}

} // namespace

int main(int argc, char** argv)
{
    const Command command = ParseCommandLine(Arguments(argc, argv));
    switch (command.kind) {
    case Command::Kind::Help:
        std::fputs(HelpText().c_str(), stdout);
        return kSuccess;
    case Command::Kind::Version:
        std::printf("tallyra-payroll %s\n", TALLYRA_VERSION);
        return kSuccess;
    case Command::Kind::Withhold:
        return Withhold(command);
    case Command::Kind::Invalid:
        break;
    }
    Report(command.problem);
    std::fputs("用法：tallyra-payroll withhold INPUT.csv -o OUTPUT.csv（--help 查看说明）\n",
               stderr);
    return kRefused;
}
