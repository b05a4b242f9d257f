// SPDX-License-Identifier: GPL-3.0-or-later
// A payroll run cut short leaves nothing of its partial salaries: stopped by Ctrl+C, SIGTERM,
// SIGHUP or SIGKILL while it writes, or by an endless line. The run is held mid-way by a FIFO
// the test feeds, and the signal sent once the command has its output open: no fixed waits.
#include "payroll/atomic_output_file.h"
#include "tests/payroll/payroll_process.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define TALLYRA_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TALLYRA_ADDRESS_SANITIZER
#endif
#endif

using namespace payroll_test;
using tallyra::payroll::AtomicOutputFile;

namespace {

#ifdef Q_OS_LINUX
// A file descriptor closed however the test ends.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
};

// The /proc entry of the file the process has open in `folder` besides `except`: its
// temporary output, named or not ("…/#1234 (deleted)" for an unnamed one).
QString OpenTemporary(qint64 pid, const QString& folder, const QString& except)
{
    const QString fds = QString("/proc/%1/fd").arg(pid);
    for (const QString& fd :
         QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = QFile::symLinkTarget(fds + "/" + fd);
        if (target.startsWith(folder + "/") && target != except)
            return fds + "/" + fd;
    }
    return {};
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                                  QDir::Name);
}
#endif

} // namespace

class TestPayrollInterrupted : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }
    void cleanup()
    {
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
    }

    void leavesNothingWhenInterrupted_data()
    {
        QTest::addColumn<int>("signal");
#ifdef Q_OS_LINUX
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT, Ctrl+C") << int(SIGINT);
        QTest::newRow("SIGHUP, the terminal closed") << int(SIGHUP);
        QTest::newRow("SIGKILL") << int(SIGKILL);
#endif
    }
    void leavesNothingWhenInterrupted()
    {
#ifndef Q_OS_LINUX
        QSKIP("FIFOs, signals and /proc are Linux's here");
#else
        QFETCH(int, signal);
        const QString folder = QDir(dir_.path()).canonicalPath();
        const QString input = folder + "/in.fifo";
        const QString output = folder + "/out.csv";
        QCOMPARE(mkfifo(input.toLocal8Bit(), 0600), 0);
        QVERIFY(Write(output, "an earlier month's file\r\n"));
        QCOMPARE(chmod(output.toLocal8Bit(), 0640), 0);

        QProcess process;
        process.start(TALLYRA_PAYROLL, {"withhold", input, "-o", output});
        QVERIFY(process.waitForStarted(60'000));
        // The writing end opens once the command opens the reading one.
        Descriptor feed;
        QTRY_VERIFY_WITH_TIMEOUT(
            (feed.fd = open(input.toLocal8Bit(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) >= 0, 60'000);
        const QByteArray lines = "工号,所属期,本期收入\nE1,2026-01,12000\n";
        QCOMPARE(write(feed.fd, lines.data(), std::size_t(lines.size())), ssize_t(lines.size()));
        QString temporary;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(temporary = OpenTemporary(process.processId(), folder, input)).isEmpty(), 60'000);
        // Only its owner may read the salaries while they are being written.
        struct stat status;
        QCOMPARE(stat(temporary.toLocal8Bit(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), 0600);

        QCOMPARE(kill(pid_t(process.processId()), signal), 0);
        QVERIFY(process.waitForFinished(60'000));
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(Entries(folder), (QStringList{"in.fifo", "out.csv"}));
        QCOMPARE(Read(output), QByteArray("an earlier month's file\r\n"));
#endif
    }

    // Where the temporary file must have a name (no O_TMPFILE: other systems, other file
    // systems), a catchable signal removes it before the process ends by that signal.
    void removesANamedTemporaryOnASignal_data()
    {
        QTest::addColumn<int>("signal");
#ifdef Q_OS_LINUX
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
#endif
    }
    void removesANamedTemporaryOnASignal()
    {
#ifndef Q_OS_LINUX
        QSKIP("fork() and signals");
#else
        QFETCH(int, signal);
        const std::string target = dir_.filePath("out.csv").toStdString();
        int ready[2];
        QCOMPARE(pipe(ready), 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) { // writes half a file, says so, and waits for the signal
            AtomicOutputFile output(target, AtomicOutputFile::Temporary::Named);
            const char answer = output.isOpen() && output.write("E1,12000") ? 'y' : 'n';
            if (write(ready[1], &answer, 1) == 1)
                pause();
            _exit(0);
        }
        close(ready[1]);
        char answer = 0;
        QCOMPARE(read(ready[0], &answer, 1), ssize_t(1));
        close(ready[0]);
        QCOMPARE(answer, 'y');
        QCOMPARE(Entries(dir_.path()).size(), 1); // the temporary file
        QCOMPARE(kill(child, signal), 0);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), signal);
        QCOMPARE(Entries(dir_.path()), QStringList());
#endif
    }

    // An endless line (here /dev/zero: no line end ever) is refused at 16 MiB, long before
    // the memory runs out (the address space is held to 1 GiB to show it).
    void refusesAnEndlessLine()
    {
#ifndef Q_OS_LINUX
        QSKIP("/dev/zero and setrlimit");
#else
        const QString output = dir_.filePath("out.csv");
        QProcess process;
#ifndef TALLYRA_ADDRESS_SANITIZER // which reserves terabytes of address space for itself
        process.setChildProcessModifier([] {
            const rlimit limit{1ul << 30, 1ul << 30};
            setrlimit(RLIMIT_AS, &limit);
        });
#endif
        process.start(TALLYRA_PAYROLL, {"withhold", "/dev/zero", "-o", output});
        QVERIFY(process.waitForFinished(120'000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
                 "tallyra-payroll：第 1 行：这一行长于 16 MiB，不像是工资表的一行\n");
        QCOMPARE(process.exitCode(), 2);
        QCOMPARE(Entries(dir_.path()), QStringList());
#endif
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestPayrollInterrupted)
#include "test_payroll_interrupted.moc"
