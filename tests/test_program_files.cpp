// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds the user's readme, in the layouts it is run from: a build folder or a
// Windows install (the readme beside the program) and an installed tree (<prefix>/bin with the
// readme in <prefix>/share/tallyra).
#include "platform/program_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyra;

class TestProgramFiles : public QObject {
    Q_OBJECT

private slots:
    void readmeFor_data()
    {
        QTest::addColumn<QStringList>("files"); // created below <prefix>; a trailing / a folder
        QTest::addColumn<QString>("found");     // below <prefix>
        // clang-format off
        QTest::newRow("beside the program")        << QStringList{"bin/readme.txt"}                               << "bin/readme.txt";
        QTest::newRow("installed data folder")     << QStringList{"share/tallyra/readme.txt"}                     << "share/tallyra/readme.txt";
        QTest::newRow("beside wins over installed") << QStringList{"bin/readme.txt", "share/tallyra/readme.txt"} << "bin/readme.txt";
        QTest::newRow("a folder beside is no file") << QStringList{"bin/readme.txt/", "share/tallyra/readme.txt"} << "share/tallyra/readme.txt";
        QTest::newRow("missing: named beside")     << QStringList{}                                               << "bin/readme.txt";
        QTest::newRow("installed folder is no file") << QStringList{"share/tallyra/readme.txt/"}                  << "bin/readme.txt";
        // clang-format on
    }
    void readmeFor()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        const QDir root(prefix.path());
        QVERIFY(root.mkpath(QStringLiteral("bin")));
        for (const QString& file : files) {
            if (file.endsWith(QLatin1Char('/'))) {
                QVERIFY(root.mkpath(file));
                continue;
            }
            QVERIFY(root.mkpath(QFileInfo(root.filePath(file)).path()));
            QFile readme(root.filePath(file));
            QVERIFY(readme.open(QIODevice::WriteOnly));
        }
        QCOMPARE(ReadmeFor(root.filePath(QStringLiteral("bin"))), root.filePath(found));
    }
};

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "test_program_files.moc"
