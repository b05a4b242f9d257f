// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>

// Running the real tallyra-payroll (TALLYRA_PAYROLL, its path) as a user runs it.
namespace payroll_test {

struct Result {
    int exitCode = -1; // -1: did not end by itself
    QByteArray out;    // as written, byte for byte
    QString err;       // the messages, with "\n" line ends on every system
};

// Runs the command with `input` on its standard input, and waits for it to end.
inline Result RunPayroll(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(TALLYRA_PAYROLL, arguments);
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    Result r;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = process.exitCode();
    r.out = process.readAllStandardOutput();
    r.err = QString::fromUtf8(process.readAllStandardError()).replace("\r\n", "\n");
    return r;
}

inline bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace payroll_test
