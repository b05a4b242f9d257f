// SPDX-License-Identifier: GPL-3.0-or-later
// Where tallyra-payroll writes, run as a user runs it: into a device or a pipe as it is, to
// standard output, from standard input, with the output file's permissions and owner kept,
// beside a name as long as the system allows, and never over its own input.
#include "tests/payroll/payroll_process.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

using namespace payroll_test;

namespace {

const QByteArray kInput = "工号,所属期,本期收入\nE1,2026-01,12000\n";
// The GB18030 bytes of the same file.
const QByteArray kGbInput = "\xB9\xA4\xBA\xC5,\xCB\xF9\xCA\xF4\xC6\xDA,\xB1\xBE\xC6\xDA\xCA\xD5"
                            "\xC8\xEB\r\nE1,2026-01,12000\r\n";
// 12,000 less 5,000 at 3%: 210.00.
const QByteArray kOutput =
    "\xEF\xBB\xBF工号,所属期,本期收入,累计收入,累计免税收入,累计减除费用,累计专项扣除,"
    "累计专项附加扣除,累计其他扣除,累计应纳税所得额,税率,速算扣除数,累计应纳税额,"
    "累计已预缴税额,本期应预扣预缴税额,本期税后收入\r\n"
    "E1,2026-01,12000,12000.00,0.00,5000.00,0.00,0.00,0.00,7000.00,3%,0.00,210.00,0.00,"
    "210.00,11790.00\r\n";

// The output is still the kind of node it was before the run.
bool NodeKindIs(const QString& path, const QString& kind)
{
#ifdef Q_OS_WIN
    return kind == "-" ? path == "-" : path == "NUL";
#else
    struct stat status;
    if (kind == "-")
        return path == "-";
    if (lstat(path.toLocal8Bit(), &status) != 0)
        return false;
    if (kind.endsWith("link"))
        return S_ISLNK(status.st_mode);
    return kind == "fifo" ? S_ISFIFO(status.st_mode) : S_ISCHR(status.st_mode);
#endif
}

} // namespace

class TestPayrollOutputs : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        QVERIFY(Write(path("in.csv"), kInput));
    }
    void cleanup()
    {
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
    }

    // An output that is there and no regular file is written into as it is: no temporary
    // file beside it, nothing renamed over it.
    void writesIntoADeviceOrAPipeAsItIs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("standard output as -") << "-";
        QTest::newRow("a link to standard output") << "stdout link";
        QTest::newRow("a FIFO") << "fifo";
        QTest::newRow("a link to a FIFO") << "fifo link";
        QTest::newRow("a character device") << "null device";
    }
    void writesIntoADeviceOrAPipeAsItIs()
    {
        QFETCH(QString, kind);
#ifdef Q_OS_WIN
        if (kind != "-" && kind != "null device")
            QSKIP("FIFOs and /proc are POSIX's");
        const QString output = kind == "-" ? "-" : "NUL";
#else
        const QString output = kind == "-" ? "-" : kind == "fifo" ? path("pipe") : path("out");
        if (kind == "stdout link")
            QVERIFY(QFile::link("/proc/self/fd/1", output));
        int fifo = -1;
        if (kind.startsWith("fifo")) {
            QCOMPARE(mkfifo(path("pipe").toLocal8Bit(), 0600), 0);
            QVERIFY(kind == "fifo" || QFile::link(path("pipe"), output));
            // Opened for reading first, so that the command's opening for writing goes on.
            fifo = open(path("pipe").toLocal8Bit(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            QVERIFY(fifo >= 0);
        }
        if (kind == "null device" && mknod(output.toLocal8Bit(), S_IFCHR | 0666, makedev(1, 3)))
            QSKIP("making a device node needs root");
#endif
        const Result r = RunPayroll({"withhold", path("in.csv"), "-o", output});
        QCOMPARE(r.exitCode, 0);
        // The summary goes where the figures do not.
        const QString summary =
            (output == "-" ? "已写入标准输出" : "已写入 " + output) +
            "：1 行，1 名员工（输入为 UTF-8）\n计算所用的列：工号、所属期、本期收入\n";
        const bool toStandardOutput = kind == "-" || kind == "stdout link";
        QCOMPARE(r.err, toStandardOutput ? summary : QString());
        QByteArray written = r.out;
#ifndef Q_OS_WIN
        if (fifo >= 0) {
            QCOMPARE(QString::fromUtf8(r.out).replace("\r\n", "\n"), summary);
            written.resize(1 << 16);
            written.resize(std::max<qsizetype>(0, read(fifo, written.data(), written.size())));
            close(fifo);
        }
#endif
        if (kind != "null device")
            QCOMPARE(written, kOutput);
        QVERIFY(NodeKindIs(output, kind));
        // Nothing was left beside it.
        QStringList expected{"in.csv"};
        if (output.endsWith("/out"))
            expected << "out";
        if (kind.startsWith("fifo"))
            expected << "pipe";
        expected.sort();
        QCOMPARE(QDir(dir_.path())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name),
                 expected);
    }

    // /dev/stdout when the shell sent standard output to a file (`-o /dev/stdout >> all.csv`):
    // written through standard output itself, at its place and in its mode, not replaced.
    void writesToStandardOutputRedirectedToAFile_data()
    {
        QTest::addColumn<bool>("append");
        QTest::newRow("> file") << false;
        QTest::newRow(">> file") << true;
    }
    void writesToStandardOutputRedirectedToAFile()
    {
        QFETCH(bool, append);
#ifdef Q_OS_WIN
        QSKIP("/proc/self/fd is Linux's");
#endif
        QVERIFY(QFile::link("/proc/self/fd/1", path("stdout")));
        QVERIFY(Write(path("all.csv"), "an earlier month\r\n"));
        QProcess process;
        process.setStandardOutputFile(path("all.csv"),
                                      append ? QIODevice::Append : QIODevice::Truncate);
        process.start(TALLYRA_PAYROLL, {"withhold", path("in.csv"), "-o", path("stdout")});
        QVERIFY(process.waitForFinished(120'000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(QString::fromUtf8(process.readAllStandardError()).startsWith("已写入 "));
        QCOMPARE(Read(path("all.csv")), (append ? "an earlier month\r\n" : "") + kOutput);
        QVERIFY(QFileInfo(path("stdout")).isSymLink());
    }

    // `-` reads standard input, whatever its encoding: GB18030 too, from a pipe.
    void readsStandardInput_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("encoding");
        QTest::newRow("UTF-8") << kInput << "UTF-8";
        QTest::newRow("GB18030") << kGbInput << "GB18030";
    }
    void readsStandardInput()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, encoding);
        const Result r = RunPayroll({"withhold", "-", "-o", path("out.csv")}, input);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QVERIFY(QString::fromUtf8(r.out).contains("（输入为 " + encoding + "）"));
        QCOMPARE(Read(path("out.csv")), kOutput);
        const Result both = RunPayroll({"withhold", "-", "-o", "-"}, input);
        QCOMPARE(both.exitCode, 0);
        QCOMPARE(both.out, kOutput);
    }

    // A result the user locked keeps its permissions and its owner when it is written again;
    // a new one gets the usual permissions (0666 less the umask).
    void keepsTheOutputsPermissionsAndOwner_data()
    {
        QTest::addColumn<int>("mode"); // of the existing output; 0: none
        QTest::newRow("a new file") << 0;
        QTest::newRow("0600") << 0600;
        QTest::newRow("0640") << 0640;
        QTest::newRow("0444") << 0444;
    }
    void keepsTheOutputsPermissionsAndOwner()
    {
#ifdef Q_OS_WIN
        QSKIP("POSIX permissions");
#else
        QFETCH(int, mode);
        const QString output = path("out.csv");
        const bool root = geteuid() == 0;
        if (mode) {
            QVERIFY(Write(output, "an earlier month's file\r\n"));
            QCOMPARE(chmod(output.toLocal8Bit(), mode_t(mode)), 0);
            if (root) // nobody's, as an administrator running the payroll for another account
                QCOMPARE(chown(output.toLocal8Bit(), 65534, 65534), 0);
        }
        const mode_t mask = umask(0);
        umask(mask);
        const Result r = RunPayroll({"withhold", path("in.csv"), "-o", output});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(Read(output), kOutput);
        struct stat status;
        QCOMPARE(stat(output.toLocal8Bit(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), mode ? mode : int(0666 & ~mask));
        if (mode && root) {
            QCOMPARE(int(status.st_uid), 65534);
            QCOMPARE(int(status.st_gid), 65534);
        }
#endif
    }

    // Writing over the input would replace it with its own result (and a second run would
    // add the figures twice): refused, however the same file is named.
    void refusesToWriteOverItsInput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("the same name") << "in.csv";
        QTest::newRow("another way there") << "./sub/../in.csv";
        QTest::newRow("a hard link") << "hard.csv";
        QTest::newRow("a symbolic link") << "soft.csv";
    }
    void refusesToWriteOverItsInput()
    {
        QFETCH(QString, name);
        QVERIFY(QDir(dir_.path()).mkdir("sub"));
#ifdef Q_OS_WIN
        if (name == "soft.csv")
            QSKIP("symbolic links need a privilege on Windows");
#endif
        QVERIFY(QFile::link(path("in.csv"), path("soft.csv")) || name != "soft.csv");
#ifndef Q_OS_WIN
        QVERIFY(link(path("in.csv").toLocal8Bit(), path("hard.csv").toLocal8Bit()) == 0);
#else
        if (name == "hard.csv")
            QSKIP("hard links made by POSIX's link()");
#endif
        const Result r = RunPayroll({"withhold", path("in.csv"), "-o", path(name)});
        QCOMPARE(r.err, "tallyra-payroll：输出文件“" + path(name) +
                            "”就是输入文件：结果会替换输入，请另选输出文件\n");
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(Read(path("in.csv")), kInput);
    }

    // A name of 244 bytes is legal (255 is the limit): the temporary name beside it is short.
    void writesBesideALongName()
    {
        const QString name = QString(240, 'a') + ".csv";
        const Result r = RunPayroll({"withhold", path("in.csv"), "-o", path(name)});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(Read(path(name)), kOutput);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{name, "in.csv"}));
    }

    // A link to a result elsewhere stays a link; the file it points to gets the result.
    void writesThroughALinkToARegularFile()
    {
#ifdef Q_OS_WIN
        QSKIP("symbolic links need a privilege on Windows");
#endif
        QVERIFY(QDir(dir_.path()).mkdir("results"));
        QVERIFY(Write(path("results/2026.csv"), "old"));
        QVERIFY(QFile::link(path("results/2026.csv"), path("out.csv")));
        const Result r = RunPayroll({"withhold", path("in.csv"), "-o", path("out.csv")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(QFileInfo(path("out.csv")).isSymLink());
        QCOMPARE(Read(path("results/2026.csv")), kOutput);
        QCOMPARE(QDir(path("results")).entryList(QDir::Files), QStringList{"2026.csv"});
    }

    // The success message names the columns the figures came from, so a column that was not
    // recognised shows.
    void namesTheColumnsItUsed()
    {
        QVERIFY(Write(path("in.csv"), "工号,姓名,所属期,本期收入,专项扣除　,专项附加扣除x,\n"
                                      "E1,张三,2026-01,30000,4500,1000,\n"));
        const Result r = RunPayroll({"withhold", path("in.csv"), "-o", path("out.csv")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(
            QString::fromUtf8(r.out).replace("\r\n", "\n"),
            "已写入 " + path("out.csv") +
                "：1 行，1 名员工（输入为 UTF-8）\n"
                "计算所用的列：工号、所属期、本期收入、专项扣除；原样复制的列：姓名、专项附加扣除x、"
                "（无名的列）\n");
    }

private:
    QString path(const QString& name) const
    {
        return dir_.filePath(name);
    }
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestPayrollOutputs)
#include "test_payroll_outputs.moc"
