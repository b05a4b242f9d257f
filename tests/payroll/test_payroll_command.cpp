// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/atomic_output_file.h"
#include "payroll/background_flush.h"
#include "payroll/command_line.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace tallyra::payroll;

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

Result RunPayroll(const QStringList& arguments)
{
    QProcess process;
    // Text mode: the lines end in "\n" as read, whatever the system writes (CRLF on Windows).
    process.start(TALLYRA_PAYROLL, arguments, QIODevice::ReadWrite | QIODevice::Text);
    process.closeWriteChannel();
    Result r;
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

const QByteArray kGood = "工号,所属期,本期收入\nE1,2026-01,12000\n";
const QByteArray kBad = "工号,所属期,本期收入\nE1,2026-01,12000\nE1,2026-13,12000\n";

} // namespace

class TestPayrollCommand : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void printsHelpAndVersion()
    {
        const Result help = RunPayroll({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.startsWith("用法：tallyra-payroll withhold INPUT.csv -o OUTPUT.csv"));
        QVERIFY(help.out.contains("全年减除6万"));
        const Result version = RunPayroll({"--version"});
        QCOMPARE(version.exitCode, 0);
        QVERIFY(version.out.startsWith("tallyra-payroll "));
        QVERIFY(version.out.trimmed().split(' ').last().count('.') == 2);
    }

    // The help names the columns the output adds, in the output's order, and the documents of
    // the law it applies with the first month it applies to.
    void helpFollowsTheOutputAndTheLaw()
    {
        const QString input = dir_.filePath("in.csv");
        const QString output = dir_.filePath("out.csv");
        Write(input, kGood);
        QCOMPARE(RunPayroll({"withhold", input, "-o", output}).exitCode, 0);
        const QString header = QString::fromUtf8(Read(output).mid(3)).section("\r\n", 0, 0);
        const QStringList added = header.split(',').mid(3);
        QCOMPARE(added.size(), 13);

        const QString help = RunPayroll({"--help"}).out;
        const int from = help.indexOf("输出：输入的各列，加上 ");
        const int to = help.indexOf("；UTF-8 带 BOM");
        QVERIFY(from >= 0 && to > from);
        const QString listed = help.mid(from, to - from).section(' ', 1).remove('\n');
        QCOMPARE(listed.split("、"), added);
        QVERIFY(help.contains("按累计预扣法（国家税务总局公告2018年第61号）"));
        QVERIFY(help.contains("YYYY-MM，2019-01 起"));
        QVERIFY(help.contains(
            "全年减除6万   可选，是/否，空为否（国家税务总局公告2020年第19号，2021-01 起）"));
        // The column's name typed with full-width digits, beside the name itself.
        QVERIFY(help.contains("全角字母、数字按半角（“全年减除\uFF16万”即“全年减除6万”）。\n"));
    }

    void withholdsIntoANewFile()
    {
        const QString input = dir_.filePath("工资 2026.csv");
        const QString output = dir_.filePath("结果 2026.csv");
        Write(input, kGood);
        const Result r = RunPayroll({"withhold", input, "-o", output});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains("1 行，1 名员工"));
        QVERIFY(Read(output).startsWith("\xEF\xBB\xBF工号,所属期,本期收入,累计收入"));
        QVERIFY(Read(output).endsWith(",12000,12000.00,0.00,5000.00,0.00,0.00,0.00,7000.00,3%,"
                                      "0.00,210.00,0.00,210.00,11790.00\r\n"));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).size(), 2); // no temporary file left
    }

    // A refused file leaves no output, or the old output exactly as it was.
    void refusesWithoutTouchingTheOutput_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("no output before") << false;
        QTest::newRow("an output before") << true;
    }
    void refusesWithoutTouchingTheOutput()
    {
        QFETCH(bool, existing);
        const QString input = dir_.filePath("in.csv");
        const QString output = dir_.filePath("out.csv");
        Write(input, kBad);
        QFile::remove(output);
        if (existing)
            Write(output, "an earlier month's file\r\n");
        const Result r = RunPayroll({"withhold", input, "--output", output});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(
            r.err.trimmed(),
            "tallyra-payroll：第 3 行，列“所属期”：“2026-13”不是年月（应为 YYYY-MM，如 2026-03）");
        QCOMPARE(QFile::exists(output), existing);
        if (existing)
            QCOMPARE(Read(output), QByteArray("an earlier month's file\r\n"));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).size(), existing ? 2 : 1);
    }

    void replacesAnEarlierOutput()
    {
        const QString input = dir_.filePath("in.csv");
        const QString output = dir_.filePath("out.csv");
        Write(input, kGood);
        Write(output, "old");
        QCOMPARE(RunPayroll({"withhold", "-o", output, input}).exitCode, 0);
        QVERIFY(Read(output).startsWith("\xEF\xBB\xBF工号"));
    }

    void reportsFileProblems_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("message");
        QTest::newRow("no input file") << "missing.csv"
                                       << "out.csv"
                                       << "无法打开输入文件“%1/missing.csv”";
        QTest::newRow("no output folder")
            << "in.csv"
            << "no/such/folder/out.csv"
            << "无法在输出文件“%1/no/such/folder/out.csv”旁创建临时文件";
    }
    void reportsFileProblems()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(QString, message);
        Write(dir_.filePath("in.csv"), kGood);
        const Result r =
            RunPayroll({"withhold", dir_.filePath(input), "-o", dir_.filePath(output)});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.trimmed(), "tallyra-payroll：" + message.arg(dir_.path()));
    }

    void refusesBadCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem");
        QTest::newRow("nothing") << QStringList{} << "缺少命令";
        QTest::newRow("unknown command") << QStringList{"pay"} << "未知的命令“pay”";
        QTest::newRow("no input") << QStringList{"withhold", "-o", "x.csv"} << "缺少输入文件";
        QTest::newRow("no output")
            << QStringList{"withhold", "in.csv"} << "缺少输出文件（-o OUTPUT.csv）";
        QTest::newRow("-o without a name")
            << QStringList{"withhold", "in.csv", "-o"} << "-o 后缺少输出文件名";
        QTest::newRow("two inputs")
            << QStringList{"withhold", "a.csv", "b.csv", "-o", "x.csv"} << "只能指定一个输入文件";
        QTest::newRow("two outputs")
            << QStringList{"withhold", "a.csv", "-o", "x", "-o", "y"} << "输出文件只能指定一次";
        QTest::newRow("unknown option")
            << QStringList{"withhold", "a.csv", "-x"} << "未知的选项“-x”";
    }
    void refusesBadCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        std::vector<std::string> args;
        for (const QString& a : arguments)
            args.push_back(a.toStdString());
        const Command command = ParseCommandLine(args);
        QVERIFY(command.kind == Command::Kind::Invalid);
        QCOMPARE(QString::fromStdString(command.problem), problem);
        const Result r = RunPayroll(arguments);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.startsWith("tallyra-payroll：" + problem + "\n"));
    }

    // The temporary file is abandoned when the run is not committed, named (as where the
    // system has no unnamed files) or not.
    void abandonsTheTemporaryFile_data()
    {
        QTest::addColumn<bool>("named");
        QTest::newRow("named") << true;
        QTest::newRow("unnamed where possible") << false;
    }
    void abandonsTheTemporaryFile()
    {
        QFETCH(bool, named);
        const auto temporary = named ? AtomicOutputFile::Temporary::Named
                                     : AtomicOutputFile::Temporary::UnnamedWherePossible;
        const QString target = dir_.filePath("out.csv");
        {
            AtomicOutputFile output(target.toStdString(), temporary);
            QVERIFY(output.isOpen());
            QVERIFY(output.write("half"));
            if (named)
                QVERIFY(QFile::exists(QString::fromStdString(output.temporaryPath())));
        }
        QVERIFY(QDir(dir_.path()).entryList(QDir::Files).isEmpty());
        AtomicOutputFile output(target.toStdString(), temporary);
        QVERIFY(output.write("first, "));
        QVERIFY(output.write("second"));
        QVERIFY(output.commit());
        QCOMPARE(Read(target), QByteArray("first, second"));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).size(), 1);
    }

#ifndef Q_OS_WIN
    // The output is flushed to the disk while it is written. A flush that fails on the way (a
    // pipe cannot be flushed) is kept for the end, since the system reports it only once; one
    // that succeeds is not taken for a failure.
    void keepsAFailedFlushForTheEnd_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("a pipe") << true;
        QTest::newRow("a file") << false;
    }
    void keepsAFailedFlushForTheEnd()
    {
        QFETCH(bool, pipe);
        int ends[2] = {-1, -1};
        if (pipe) {
            QCOMPARE(::pipe(ends), 0);
        } else {
            ends[1] = ::open(qPrintable(dir_.filePath("flushed")), O_WRONLY | O_CREAT, 0600);
            QVERIFY(ends[1] >= 0);
        }
        {
            BackgroundFlush flush(ends[1], 4);
            QCOMPARE(::write(ends[1], "abcdef", 6), ssize_t(6));
            flush.wrote(6);
            QCOMPARE(flush.finish(), !pipe);
            QCOMPARE(flush.finish(), !pipe); // and again, as the owner's destructor asks
        }
        for (int end : ends)
            if (end >= 0)
                ::close(end);
    }
#endif

    void cleanup()
    {
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestPayrollCommand)
#include "test_payroll_command.moc"
