// SPDX-License-Identifier: GPL-3.0-or-later
// Started where no graphical display can be opened, the calculator says so in one line, in
// Chinese and English, and ends with status 1 rather than aborting.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A display number no X server here listens on.
QString AbsentDisplay()
{
    for (int n = 4711;; ++n) {
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
            return QStringLiteral(":%1").arg(n);
    }
}

} // namespace

class TestStartWithoutDisplay : public QObject {
    Q_OBJECT

private slots:
    void saysSoAndEnds_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("display"); // empty: none set
        QTest::newRow("X, no DISPLAY") << "xcb"
                                       << "";
        QTest::newRow("X server not there") << "xcb" << AbsentDisplay();
        QTest::newRow("default platform, no display") << ""
                                                      << "";
        QTest::newRow("Wayland without a compositor") << "wayland"
                                                      << "";
    }
    void saysSoAndEnds()
    {
        QFETCH(QString, platform);
        QFETCH(QString, display);
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        if (!platform.isEmpty())
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        if (!display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TALLYRA_PROGRAM), {});
        QVERIFY(program.waitForFinished(30000));
        const QString said = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(said.count(QLatin1Char('\n')), 1);
        QVERIFY2(said.endsWith(QLatin1Char('\n')), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("无法打开图形显示")), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("no graphical display could be opened")),
                 qPrintable(said));
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestStartWithoutDisplay)
#include "test_start_without_display.moc"
