// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/command_line.h"

#include "law/laws.h"
#include "payroll/byte_stream.h"
#include "payroll/invisible_characters.h"
#include "payroll/payroll_columns.h"
#include "payroll/payroll_output.h"
#include "payroll/withhold_job.h"

namespace tallyra::payroll {

namespace {

// The help's lines are at most as wide as its widest sentence, in terminal columns.
constexpr std::size_t kHelpWidth = 96;

// Terminal columns: one for an ASCII character, two for a Chinese one (every other UTF-8
// sequence in the help).
std::size_t Columns(std::string_view text)
{
    std::size_t columns = 0;
    for (unsigned char c : text)
        columns += c < 0x80 ? 1 : c >= 0xC0 ? 2 : 0;
    return columns;
}

// "输出：输入的各列，加上 累计收入、…、本期税后收入；", broken before a name that would pass
// the help's width.
std::string FigureColumnsText()
{
    std::string text = "输出：输入的各列，加上 ";
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < kFigureColumns.size(); ++i) {
        const std::string item =
            std::string(kFigureColumns[i].name) + (i + 1 < kFigureColumns.size() ? "、" : "；");
        if (Columns(std::string_view(text).substr(lineStart)) + Columns(item) > kHelpWidth) {
            text += "\n";
            lineStart = text.size();
        }
        text += item;
    }
    return text;
}

std::string MonthText(const law::CivilDate& day)
{
    return law::ToString(law::YearMonth{day.year, day.month});
}

// The optional columns of income other than wages, with the law's figures.
std::string OtherIncomeText()
{
    const law::DatedValue<bool>& separateEnd = law::kSeparateBonusTaxation.latest();
    const law::CivilDate lastSeparate = law::DayBefore(separateEnd.from);
    return "  所得项目      可选：工资薪金（空即此项）、全年一次性奖金、劳务报酬、稿酬所得、\n"
           "                特许权使用费所得、解除劳动关系补偿金；工资薪金以外的行按次或单独计税\n"
           "  奖金计税方式  全年一次性奖金的行可选：单独计税 或 并入综合所得；空为单独计税（至 " +
           MonthText(lastSeparate) + "），\n                此后为并入综合所得\n" +
           "  当地上年职工平均工资\n                解除劳动关系补偿金的行必填，一年的金额；其 " +
           std::to_string(law::kSeveranceExemptMultiple.latest().value) + " 倍以内免税（" +
           law::kSeveranceExemptMultiple.latest().source.document + "）\n";
}

// A column's name as a Chinese input method types it: every ASCII digit full width.
std::string WithFullWidthDigits(std::string_view name)
{
    std::string text;
    for (const char c : name) {
        if (c >= '0' && c <= '9') // U+FF10 to U+FF19, three bytes in UTF-8
            text += std::string{'\xEF', '\xBC', static_cast<char>('\x90' + (c - '0'))};
        else
            text += c;
    }
    return text;
}

// A count of threads as typed: digits only, 1 to kMaxThreads; 0 when it is not that.
unsigned ThreadCount(const std::string& text)
{
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const unsigned count = static_cast<unsigned>(std::stoul(text));
    return count <= kMaxThreads ? count : 0;
}

// --threads N or --threads=N at arguments[i], which moves past it; false with the problem.
bool ReadThreads(const std::vector<std::string>& arguments, std::size_t& i, Command& command)
{
    const std::string& a = arguments[i];
    if (a == "--threads" && i + 1 == arguments.size()) {
        command.problem = a + " 后缺少线程数";
        return false;
    }
    if (command.threads != 0) {
        command.problem = "线程数只能指定一次";
        return false;
    }
    const std::string text = a == "--threads" ? arguments[++i] : a.substr(10);
    command.threads = ThreadCount(text);
    if (command.threads == 0)
        command.problem = "线程数“" + ShownText(text, std::string::npos) + "”应为 1 到 " +
                          std::to_string(kMaxThreads) + " 的整数";
    return command.threads != 0;
}

} // namespace

Command ParseCommandLine(const std::vector<std::string>& arguments)
{
    Command command;
    if (arguments.empty()) {
        command.problem = "缺少命令";
        return command;
    }
    const std::string& first = arguments[0];
    if (arguments.size() == 1 && (first == "--help" || first == "-h" || first == "help")) {
        command.kind = Command::Kind::Help;
        return command;
    }
    if (arguments.size() == 1 && (first == "--version" || first == "-V")) {
        command.kind = Command::Kind::Version;
        return command;
    }
    if (first != "withhold") {
        command.problem = "未知的命令“" + first + "”";
        return command;
    }
    bool outputGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "-o" || a == "--output") {
            if (i + 1 == arguments.size()) {
                command.problem = a + " 后缺少输出文件名";
                return command;
            }
            if (outputGiven) {
                command.problem = "输出文件只能指定一次";
                return command;
            }
            command.output = arguments[++i];
            outputGiven = true;
        } else if (a.rfind("--output=", 0) == 0 && !outputGiven) {
            command.output = a.substr(9);
            outputGiven = true;
        } else if (a == "--threads" || a.rfind("--threads=", 0) == 0) {
            if (!ReadThreads(arguments, i, command))
                return command;
        } else if (a == "--help" || a == "-h") {
            command.kind = Command::Kind::Help;
            return command;
        } else if (a.size() > 1 && a[0] == '-') {
            command.problem = "未知的选项“" + a + "”";
            return command;
        } else if (command.input.empty()) {
            command.input = a;
        } else {
            command.problem = "只能指定一个输入文件";
            return command;
        }
    }
    if (command.input.empty())
        command.problem = "缺少输入文件";
    else if (!outputGiven || command.output.empty())
        command.problem = "缺少输出文件（-o OUTPUT.csv）";
    else
        command.kind = Command::Kind::Withhold;
    return command;
}

std::string HelpText()
{
    const law::DatedValue<law::WageMethod>& cumulative = law::CumulativeMethod();
    return "用法：tallyra-payroll withhold INPUT.csv -o OUTPUT.csv [--threads N]\n"
           "      tallyra-payroll --help | --version\n"
           "\n"
           "按累计预扣法（" +
           std::string(cumulative.source.document) +
           "）计算全公司一年的工资薪金个人所得税预扣预缴。\n"
           "\n"
           "输入：CSV 文件，UTF-8（可带 BOM）或 GB18030，第一行为列名，列的顺序不限：\n"
           "  工号          必填，员工的标识\n"
           "  所属期        必填，YYYY-MM，" +
           MonthText(cumulative.from) +
           " 起；同一员工同一年内按月份递增，新的一年重新累计\n"
           "  本期收入      必填，金额\n"
           "  本期免税收入、专项扣除、专项附加扣除、其他扣除   可选，金额，空为 0\n"
           "  受雇起始期    "
           "可选，YYYY-MM，本年在本单位受雇的第一个月；空为该员工本年在文件中的第一个月\n"
           "  " +
           kWholeYearColumn + "   可选，是/否，空为否（" +
           law::kWholeYearWithholdingDeduction.first().source.document + "，" +
           MonthText(law::kWholeYearWithholdingDeduction.first().from) + " 起）\n" +
           OtherIncomeText() +
           "  金额为不带符号的十进制数，最多两位小数，如 12000 或 12000.50。其他列原样输出。\n"
           "  列名中的空白和零宽字符不计，全角字母、数字按半角（“" +
           WithFullWidthDigits(kWholeYearColumn) + "”即“" + kWholeYearColumn +
           "”）。\n"
           "  一行最长 " +
           std::to_string(kMaxLineBytes >> 20) +
           " MiB。INPUT 为 - 时读标准输入（UTF-8 或 GB18030 均可）。\n"
           "\n" +
           FigureColumnsText() +
           "UTF-8 带 BOM，CRLF 换行，金额保留两位小数。\n"
           "有“所得项目”列时另加 减除费用、应纳税所得额，填在按次或单独计税的行上，\n"
           "这些行的累计各列为空。\n"
           "\n"
           "任何一行有误时，程序说明行号、列名和原因，以状态 2 "
           "退出，不创建输出文件（已有的文件保持原样）。\n"
           "输出先写入同一文件夹中的临时文件，完成后才替换原文件，并保留其权限和所有者；\n"
           "中断（Ctrl+C 或信号）不留下临时文件。OUTPUT 为 - 或设备、管道（如 /dev/null）时\n"
           "直接写入，出错前已写出的内容无法收回。输出文件不能是输入文件本身。\n"
           "--threads N 用 N 个线程计算（1 到 " +
           std::to_string(kMaxThreads) +
           "，默认为本机的处理器核数），各员工的行按工号分给各线程；\n"
           "结果和出错时的说明与一个线程的相同。\n"
           "退出状态：0 成功；1 无法读取或写入文件；2 命令行或输入内容有误。\n";
}

} // namespace tallyra::payroll
