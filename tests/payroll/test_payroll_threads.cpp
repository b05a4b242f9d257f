// SPDX-License-Identifier: GPL-3.0-or-later
// The payroll withheld by several threads, each for its share of the employees: the same bytes
// and the same refusal as one thread, whatever the count of threads and the size of the batches
// handed to them; and --threads on the command line.
#include "payroll/command_line.h"
#include "tests/payroll/payroll_process.h"
#include "tests/payroll/payroll_test_support.h"

#include <QTemporaryDir>
#include <QTest>

using namespace payroll_test;
using namespace tallyra::payroll;

namespace {

const std::string kHeader = "工号,姓名,所属期,本期收入,专项扣除,专项附加扣除,所得项目,"
                            "奖金计税方式,当地上年职工平均工资,备注\n";

// A company year month by month, as payroll systems export it, with what takes the slow ways:
// quoted cells (a comma, a quote, a line break in a note), short lines, empty extra fields,
// blank lines, and every kind of income.
std::string CompanyYear(int employees)
{
    std::string file = kHeader;
    for (int month = 1; month <= 12; ++month)
        for (int e = 1; e <= employees; ++e) {
            // Appended, not "E" + …: GCC 12 at -O3 (the Windows build) takes a literal put
            // before a temporary string for an overlapping copy (-Wrestrict).
            std::string id = "E";
            id += std::to_string(e);
            const std::string period =
                "2026-" + std::string(month < 10 ? "0" : "") + std::to_string(month);
            const std::string wage =
                std::to_string(3000 + e * 731 % 60000) + "." + std::to_string(10 + e % 90);
            std::string note;
            if (e % 7 == 0)
                note = "\"加班, 夜班\"";
            else if (e % 11 == 0)
                note = "\"第一行\n第二行 \"\"引\"\"\"";
            file += id + ",员工" + std::to_string(e) + "," + period + "," + wage + ",1000," +
                    std::to_string(e % 3 * 1000) + ",,,," + note + (e % 13 == 0 ? ",,\n" : "\n");
            if (e % 5 == 0) {
                file += 'C';
                file += std::to_string(e) + ",顾问," + period + ",800,,,劳务报酬,,,\n";
            }
            if (month == 12 && e % 4 == 0)
                file += id + ",员工," + period + "," + std::to_string(e * 100) +
                        ",,,全年一次性奖金," + (e % 8 == 0 ? "并入综合所得" : "") + ",,\n";
            if (e % 17 == 0)
                file += ",,,,,,,,,\n";
        }
    // Short lines: the cells they lack are empty.
    file += "S1,短行,2026-12,8000\n";
    return file;
}

Run WithholdWith(const std::string& input, unsigned threads, std::size_t batchRecords)
{
    MemorySource source(input);
    StringSink sink;
    Run run;
    WithholdOptions options;
    options.threads = threads;
    options.batchRecords = batchRecords;
    const auto result = WithholdPayroll(source, sink, options);
    if (const auto* error = std::get_if<PayrollError>(&result))
        run.error = error->message();
    else
        run.summary = std::get<PayrollSummary>(result);
    run.output = sink.text();
    return run;
}

// Every one of twenty employees going back to January at the end of the file, first to last
// or last to first: each thread has refusals of its own, and the file's first is the one.
std::string MonthsOutOfOrder(bool backwards)
{
    std::string lines;
    for (int i = 1; i <= 20; ++i) {
        lines += 'E';
        lines += std::to_string(backwards ? 21 - i : i) + ",员工,2026-01,1000,,,,,,\n";
    }
    return lines;
}

// Refusals late in a file, two or more in each, in different employees' rows.
const std::string kLateErrors[] = {
    MonthsOutOfOrder(false),
    MonthsOutOfOrder(true),
    // A second bonus taxed on its own, then a line that is no amount.
    "E4,员工,2026-12,1,,,全年一次性奖金,单独计税,,\nE9,员工,2026-12,x,,,,,,\n",
    // A line that is not UTF-8 before a refused one: the reader's problem comes first.
    "E3,\xFF,2026-12,1,,,,,,\nE2,员工,2026-01,1,,,,,,\n",
    // A refused line before a line that is not UTF-8.
    "E2,员工,2026-01,1,,,,,,\nE3,\xFF,2026-12,1,,,,,,\n",
};

} // namespace

class TestPayrollThreads : public QObject {
    Q_OBJECT

private slots:
    void sameOutputForEveryCount_data()
    {
        QTest::addColumn<unsigned>("threads");
        QTest::addColumn<int>("batchRecords");
        for (unsigned threads : {1u, 2u, 3u, 7u})
            for (int batch : {1, 5, 64, 4096})
                QTest::addRow("%u threads, batches of %d", threads, batch) << threads << batch;
    }
    void sameOutputForEveryCount()
    {
        QFETCH(unsigned, threads);
        QFETCH(int, batchRecords);
        const std::string input = CompanyYear(60);
        const Run one = WithholdWith(input, 1, 4096);
        QCOMPARE(Q(one.error), QString());
        QCOMPARE(one.summary.rows, 60L * 12 + 12 * 12 + 15 + 1);
        QCOMPARE(one.summary.employees, std::size_t(60 + 12 + 1));
        const Run run = WithholdWith(input, threads, std::size_t(batchRecords));
        QCOMPARE(Q(run.error), QString());
        QVERIFY(run.output == one.output);
        QCOMPARE(run.summary.rows, one.summary.rows);
        QCOMPARE(run.summary.employees, one.summary.employees);
    }

    // Each thread stops at its own first refusal; the one reported is the file's first, as one
    // thread reports it.
    void sameRefusalForEveryCount_data()
    {
        QTest::addColumn<int>("late");
        QTest::addColumn<unsigned>("threads");
        QTest::addColumn<int>("batchRecords");
        for (int late = 0; late < int(std::size(kLateErrors)); ++late)
            for (unsigned threads : {2u, 7u})
                for (int batch : {1, 3, 4096})
                    QTest::addRow("case %d, %u threads, batches of %d", late, threads, batch)
                        << late << threads << batch;
    }
    void sameRefusalForEveryCount()
    {
        QFETCH(int, late);
        QFETCH(unsigned, threads);
        QFETCH(int, batchRecords);
        QCOMPARE(Q(WithholdWith(CompanyYear(40), 1, 4096).error), QString());
        const std::string input = CompanyYear(40) + kLateErrors[late];
        const Run one = WithholdWith(input, 1, 4096);
        QVERIFY(one.error.rfind("第 ", 0) == 0);
        const Run run = WithholdWith(input, threads, std::size_t(batchRecords));
        QCOMPARE(Q(run.error), Q(one.error));
    }

    void readsTheThreadsOption_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<unsigned>("threads");
        QTest::addColumn<QString>("problem");
        const QStringList withhold = {"withhold", "in.csv", "-o", "out.csv"};
        QTest::newRow("none: the machine's") << withhold << 0u << "";
        QTest::newRow("one") << withhold + QStringList{"--threads", "1"} << 1u << "";
        QTest::newRow("seven, before the file")
            << QStringList{"withhold", "--threads", "7", "in.csv", "-o", "out.csv"} << 7u << "";
        QTest::newRow("with =") << withhold + QStringList{"--threads=256"} << 256u << "";
        QTest::newRow("zero") << withhold + QStringList{"--threads", "0"} << 0u
                              << "线程数“0”应为 1 到 256 的整数";
        QTest::newRow("too many") << withhold + QStringList{"--threads=257"} << 0u
                                  << "线程数“257”应为 1 到 256 的整数";
        QTest::newRow("not a number") << withhold + QStringList{"--threads", "two"} << 0u
                                      << "线程数“two”应为 1 到 256 的整数";
        QTest::newRow("negative") << withhold + QStringList{"--threads", "-1"} << 0u
                                  << "线程数“-1”应为 1 到 256 的整数";
        QTest::newRow("sign") << withhold + QStringList{"--threads", "+2"} << 0u
                              << "线程数“+2”应为 1 到 256 的整数";
        QTest::newRow("empty") << withhold + QStringList{"--threads="} << 0u
                               << "线程数“”应为 1 到 256 的整数";
        QTest::newRow("missing") << withhold + QStringList{"--threads"} << 0u
                                 << "--threads 后缺少线程数";
        QTest::newRow("twice") << withhold + QStringList{"--threads", "2", "--threads=3"} << 0u
                               << "线程数只能指定一次";
    }
    void readsTheThreadsOption()
    {
        QFETCH(QStringList, arguments);
        QFETCH(unsigned, threads);
        QFETCH(QString, problem);
        std::vector<std::string> args;
        for (const QString& a : arguments)
            args.push_back(a.toStdString());
        const Command command = ParseCommandLine(args);
        QCOMPARE(Q(command.problem), problem);
        QCOMPARE(command.kind == Command::Kind::Withhold, problem.isEmpty());
        if (problem.isEmpty())
            QCOMPARE(command.threads, threads);
    }

    // The command itself: the same file and the same message for 1, 2 and 7 threads, and a bad
    // count refused with status 2 before anything is read or written.
    void commandGivesTheSameForEveryCount()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString good = dir.filePath("good.csv"), bad = dir.filePath("bad.csv");
        QVERIFY(Write(good, QByteArray::fromStdString(CompanyYear(50))));
        QVERIFY(Write(bad, QByteArray::fromStdString(CompanyYear(50)) +
                               QByteArray::fromStdString(kLateErrors[0])));
        QByteArray firstOutput;
        QString firstMessage;
        for (const QString threads : {"1", "2", "7"}) {
            const QString out = dir.filePath("out" + threads + ".csv");
            const Result done = RunPayroll({"withhold", good, "-o", out, "--threads", threads});
            QCOMPARE(done.exitCode, 0);
            const Result refused =
                RunPayroll({"withhold", bad, "-o", dir.filePath("no.csv"), "--threads", threads});
            QCOMPARE(refused.exitCode, 2);
            QVERIFY(!QFile::exists(dir.filePath("no.csv")));
            if (firstOutput.isEmpty()) {
                firstOutput = Read(out);
                firstMessage = refused.err;
                QVERIFY(firstMessage.startsWith("tallyra-payroll：第 "));
            }
            QVERIFY(Read(out) == firstOutput);
            QCOMPARE(refused.err, firstMessage);
        }
        const Result zero =
            RunPayroll({"withhold", good, "-o", dir.filePath("z.csv"), "--threads", "0"});
        QCOMPARE(zero.exitCode, 2);
        QVERIFY(zero.err.startsWith("tallyra-payroll：线程数“0”应为 1 到 256 的整数\n"));
        QVERIFY(!QFile::exists(dir.filePath("z.csv")));
    }
};

QTEST_APPLESS_MAIN(TestPayrollThreads)
#include "test_payroll_threads.moc"
