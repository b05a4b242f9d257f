// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file under faults: damaged or hand-edited, unreadable, in a folder that cannot be
// written, or cut off by a crash in the middle of a save. Start-up always works and restores
// nothing unusable, a save says "saved" exactly when the value is on disk, and a value read back
// is always a whole one, old or new.
#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "tests/support/form_driver.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <chrono>
#include <future>
#include <random>
#include <string_view>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace tallyra;
using test::FormDriver;

namespace {

const QString kSaved = QStringLiteral("保存成功！");
const QStringList kKeys{"JSJS", "BT", "J3JS"};
constexpr int kKillsPerSeed = 50;

QStringList FailedWrites()
{
    QStringList texts;
    for (const char* what : {"交税基数", "补贴数字", "三金基数"})
        texts << QString::fromUtf8(what) +
                     QStringLiteral("保存失败：无法写入设置文件，请检查它是否可写！");
    return texts;
}

bool RunningAsRoot()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false;
#endif
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Reproducible junk: bytes of every value, NULs and line breaks among them.
QByteArray Junk(int size, unsigned seed, bool printable)
{
    constexpr std::string_view kIniCharacters = " =[]\\\"\n,;abcJSBT01239";
    std::mt19937 rng(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = printable ? kIniCharacters[rng() % kIniCharacters.size()] : char(rng() % 256);
    return bytes;
}

// The value the writer helper saves for a key in round n (the rule of settings_writer_child.cpp).
QString WrittenValue(int keyIndex, qint64 n)
{
    const int length = 500 + int(n % 500);
    const char digit = char('1' + (n + keyIndex) % 9);
    return QString::number(n) + QLatin1Char('.') + QString(length, QLatin1Char(digit));
}

// The round a whole written value comes from, or -1 for anything else (half a value included).
qint64 RoundOf(int keyIndex, const QString& value)
{
    bool ok = false;
    const qint64 n = value.section(QLatin1Char('.'), 0, 0).toLongLong(&ok);
    return ok && n >= 0 && value == WrittenValue(keyIndex, n) ? n : -1;
}

// Reads a file the way the next start of the program would, but from a copy under a new name:
// QSettings keeps files it has read in a cache by name, and what matters is what is on disk.
class DiskReading {
public:
    explicit DiskReading(const QString& path)
    {
        const QString copy = dir_.filePath(QStringLiteral("copy.conf"));
        QFile::copy(path, copy);
        format = QSettings(copy, QSettings::IniFormat).status();
        store_ = std::make_unique<QtSettingsStore>(copy);
    }
    QString value(const QString& key)
    {
        return store_->read(QStringLiteral("Settings"), key, QStringLiteral("(missing)"));
    }

    QSettings::Status format;

private:
    QTemporaryDir dir_;
    std::unique_ptr<QtSettingsStore> store_;
};

// Whatever start-up restored must be a usable figure, chosen with its option.
QString UnusableRestore(FormDriver& d)
{
    const auto positive = [](const QString& text) { return ReadSingle(text).value_or(0.0f) > 0; };
    if (d.control<QRadioButton>(QStringLiteral("OptType(1)"))->isChecked() &&
        !positive(d.text(QStringLiteral("CmbJs"))))
        return QStringLiteral("threshold ") + d.text(QStringLiteral("CmbJs"));
    const QString subsidy = d.text(QStringLiteral("TxtAdd"));
    if (subsidy != QLatin1String("0") && ReadSingle(subsidy).value_or(0.0f) == 0.0f)
        return QStringLiteral("subsidy ") + subsidy;
    const QString base = d.text(QStringLiteral("TxtInputSJJS"));
    const bool baseChosen = d.control<QRadioButton>(QStringLiteral("OptSjType(1)"))->isChecked();
    if (baseChosen ? !positive(base) : base != QLatin1String("1200"))
        return QStringLiteral("three-funds base ") + base;
    if (!d.messages().shown.isEmpty())
        return QStringLiteral("a message at start-up: ") +
               d.messages().shown.join(QLatin1Char('|'));
    return {};
}

// Counts the empty lock files a killed writer left, and dates them ten seconds back: the next
// writer then clears them at once instead of after the two seconds that prove a lock left over
// (which saveOverAnOwnerlessLock tests), so that a run's time does not depend on how many there
// were.
int AgeOwnerlessLocks(const QString& path)
{
    int found = 0;
    for (const char* suffix : {".lock", ".lock.rmlock"}) {
        QFile lock(path + QLatin1String(suffix));
        if (!lock.exists() || lock.size() != 0 || !lock.open(QIODevice::Append))
            continue;
        ++found;
        lock.setFileTime(QDateTime::currentDateTime().addSecs(-10),
                         QFileDevice::FileModificationTime);
    }
    return found;
}

void TypeValues(FormDriver& d, const QString& threshold, const QString& subsidy,
                const QString& base)
{
    d.setChecked(QStringLiteral("OptType(1)"), true);
    d.setText(QStringLiteral("CmbJs"), threshold);
    d.setText(QStringLiteral("TxtAdd"), subsidy);
    d.setChecked(QStringLiteral("OptSjType(1)"), true);
    d.setText(QStringLiteral("TxtInputSJJS"), base);
}

} // namespace

class TestSettingsFaults : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString iniPath() const { return dir_.filePath(QStringLiteral("Tallyra.conf")); }

private slots:
    void init()
    {
        test::UseChineseLocale();
        QVERIFY(dir_.isValid());
        QDir(iniPath()).removeRecursively(); // a folder left in the file's place
        for (const char* suffix : {"", ".lock", ".lock.rmlock"})
            QFile::remove(iniPath() + QLatin1String(suffix));
        const QDir dir(dir_.path()); // temporary files of saves killed by an earlier test
        for (const QString& name : dir.entryList({QStringLiteral("Tallyra.conf.??????")}))
            QFile::remove(dir.filePath(name));
    }

    // Whatever a test took away is given back, so that the next one and the clean-up can work.
    void cleanup()
    {
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    }

    // A file someone or something has mangled: start-up restores only usable figures, and a save
    // puts the new values on disk and says so (QSettings counts the damage it read as an error
    // of its own for as long as it lives; that must not turn into "could not save").
    void damagedFileStartsAndSaves_data()
    {
        QTest::addColumn<QByteArray>("content");
        // clang-format off
        QTest::newRow("binary garbage") << Junk(4096, 1, false);
        QTest::newRow("NUL bytes") << QByteArray(1000, '\0');
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated line") << QByteArray("[Settings]\nJSJS=1500\nBT=\"12");
        QTest::newRow("truncated character") << QByteArray("[Settings]\nBT=12\xe4\xb8");
        QTest::newRow("header without closing bracket") << QByteArray("[Settings\nJSJS=1500\nBT=150\nJ3JS=2000\n");
        QTest::newRow("1 MB of junk") << Junk(1 << 20, 2, true);
        QTest::newRow("hand-edited values") << QByteArray("[Settings]\nJSJS=abc\nBT=\"1,500\nJ3JS=1e39\nJSJS=-5\n");
        QTest::newRow("keys outside the section") << QByteArray("JSJS=1500\nBT=150\n");
        QTest::newRow("UTF-16 with byte-order mark") << QByteArray("\xff\xfe[\0S\0]\0\n\0B\0T\0=\0" "5\0", 18);
        // clang-format on
    }
    void damagedFileStartsAndSaves()
    {
        QFETCH(QByteArray, content);
        QVERIFY(WriteFile(iniPath(), content));
        {
            QtSettingsStore store(iniPath());
            FormDriver d(store);
            const QString unusable = UnusableRestore(d);
            QVERIFY2(unusable.isEmpty(), qPrintable(QStringLiteral("restored ") + unusable));
            TypeValues(d, QStringLiteral("1500"), QStringLiteral("-20"), QStringLiteral("2000"));
            d.triggerMenu(QStringLiteral("M_SaveAll"));
            QCOMPARE(d.messages().shown, QStringList{kSaved});
            d.messages().clear();
            d.setText(QStringLiteral("TxtAdd"), QStringLiteral("30"));
            d.triggerMenu(QStringLiteral("M_SaveBT"));
            QCOMPARE(d.messages().shown, QStringList{kSaved});
        }
        DiskReading disk(iniPath());
        QCOMPARE(disk.format, QSettings::NoError);
        QCOMPARE(disk.value(QStringLiteral("JSJS")), QStringLiteral("1500"));
        QCOMPARE(disk.value(QStringLiteral("BT")), QStringLiteral("30"));
        QCOMPARE(disk.value(QStringLiteral("J3JS")), QStringLiteral("2000"));
    }

    // A file or folder that cannot be used: start-up keeps the defaults, and every save that could
    // not be written says so, and only that.
    void unusableStore_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("no read permission") << "unreadable";
        QTest::newRow("a folder in the file's place") << "folder";
        QTest::newRow("a plain file where the folder should be") << "blocked";
        QTest::newRow("damaged file in a read-only folder") << "read-only folder";
    }
    void unusableStore()
    {
        QFETCH(QString, fault);
        QString path = iniPath();
        if (fault == QLatin1String("unreadable") || fault == QLatin1String("read-only folder")) {
            if (RunningAsRoot())
                QSKIP("permissions do not stop root; the folder rows cover an unusable store");
#ifdef Q_OS_WIN
            QSKIP("Windows has no permission bits: Qt can only set the read-only attribute, which "
                  "neither stops reading a file nor writing into a folder");
#endif
            QVERIFY(WriteFile(path, fault == QLatin1String("unreadable")
                                        ? QByteArray("[Settings]\nBT=150\n")
                                        : QByteArray("[Settings\nBT=150\n\xff\x00", 19)));
            if (fault == QLatin1String("unreadable"))
                QVERIFY(QFile::setPermissions(path, {}));
            else
                QVERIFY(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner));
        } else if (fault == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QVERIFY(WriteFile(dir_.filePath(QStringLiteral("blocker")), "x"));
            path = dir_.filePath(QStringLiteral("blocker/Tallyra.conf"));
        }
        QtSettingsStore store(path);
        FormDriver d(store);
        const QString unusable = UnusableRestore(d);
        QVERIFY2(unusable.isEmpty(), qPrintable(QStringLiteral("restored ") + unusable));
        TypeValues(d, QStringLiteral("1500"), QStringLiteral("-20"), QStringLiteral("2000"));
        d.triggerMenu(QStringLiteral("M_SaveAll"));
        QCOMPARE(d.messages().shown, FailedWrites());
        d.messages().clear();
        d.triggerMenu(QStringLiteral("M_SaveBT"));
        QCOMPARE(d.messages().shown, QStringList{FailedWrites().at(1)});
        QFile::remove(dir_.filePath(QStringLiteral("blocker")));
    }

    // Once the folder can be written again, the next save works and says so: an earlier failure
    // is not held against it.
    void failureIsNotRemembered()
    {
        const QString blocker = dir_.filePath(QStringLiteral("later"));
        QVERIFY(WriteFile(blocker, "x"));
        const QString path = dir_.filePath(QStringLiteral("later/Tallyra.conf"));
        QtSettingsStore store(path);
        FormDriver d(store);
        d.setText(QStringLiteral("TxtAdd"), QStringLiteral("150"));
        d.triggerMenu(QStringLiteral("M_SaveBT"));
        QCOMPARE(d.messages().shown, QStringList{FailedWrites().at(1)});

        QVERIFY(QFile::remove(blocker));
        QVERIFY(QDir().mkpath(blocker));
        d.messages().clear();
        d.setText(QStringLiteral("TxtAdd"), QStringLiteral("175"));
        d.triggerMenu(QStringLiteral("M_SaveBT"));
        QCOMPARE(d.messages().shown, QStringList{kSaved});
        QCOMPARE(DiskReading(path).value(QStringLiteral("BT")), QStringLiteral("175"));
        QDir(blocker).removeRecursively();
    }

    // A program killed between creating a lock file and writing its owner into it leaves an
    // empty lock, on which QSettings would wait until the lock is 30 seconds old, the window
    // frozen meanwhile. A save over such a lock (and over Qt's lock for removing a lock) clears
    // it: it completes within the two seconds the store gives a lock to prove itself left over,
    // and leaves no lock behind.
    void saveOverAnOwnerlessLock_data()
    {
        QTest::addColumn<QStringList>("locks");
        QTest::addColumn<int>("age"); // seconds since the killed program left them
        // clang-format off
        QTest::newRow("empty lock, just left")               << QStringList{".lock"}                << 0;
        QTest::newRow("empty lock, left 10 s ago")           << QStringList{".lock"}                << 10;
        QTest::newRow("empty lock and removal lock, just left") << QStringList{".lock", ".lock.rmlock"} << 0;
        // clang-format on
    }
    void saveOverAnOwnerlessLock()
    {
        QFETCH(QStringList, locks);
        QFETCH(int, age);
        const QString path = iniPath();
        for (const QString& suffix : locks) {
            QFile lock(path + suffix);
            QVERIFY(lock.open(QIODevice::WriteOnly));
            QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-age),
                                     QFileDevice::FileModificationTime));
        }
        QtSettingsStore store(path);
        QElapsedTimer clock;
        clock.start();
        auto saving = std::async(std::launch::async, [&store] {
            return store.save(QStringLiteral("Settings"), QStringLiteral("BT"),
                              QStringLiteral("150"));
        });
        // The one bound on time in this suite, generous on both sides: a cleared lock costs a
        // save at most three seconds, waiting one out costs QSettings twenty or more.
        const bool prompt = saving.wait_for(std::chrono::seconds(15)) == std::future_status::ready;
        const bool saved = saving.get(); // a save still waiting is waited for, then reported
        QVERIFY2(
            prompt,
            qPrintable(QStringLiteral("the save waited %1 ms on the lock").arg(clock.elapsed())));
        QVERIFY(saved);
        for (const QString& suffix : locks)
            QVERIFY2(!QFile::exists(path + suffix),
                     qPrintable(suffix + QStringLiteral(" is left")));
        QCOMPARE(DiskReading(path).value(QStringLiteral("BT")), QStringLiteral("150"));
    }

    // A writer killed at random moments, most of them in the middle of a save: after every kill
    // each entry holds a whole value, the one it held before or one of this run, the entries saved
    // first are never older than those saved after them, and the next writer saves again. The
    // moments follow from the seed, so a failure names what to replay (the machine's timing
    // varies the rest).
    void interruptedWrites_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 20240601u, 3141592u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
        // More seeds for a longer search: TALLYRA_KILL_SEEDS=4,5,6
        for (const QString& extra :
             qEnvironmentVariable("TALLYRA_KILL_SEEDS").split(QLatin1Char(','), Qt::SkipEmptyParts))
            QTest::newRow(qPrintable(QStringLiteral("extra seed %1").arg(extra)))
                << extra.trimmed().toUInt();
    }
    void interruptedWrites()
    {
        QFETCH(quint32, seed);
        const QString path = iniPath();
        {
            QtSettingsStore first(path);
            for (int k = 0; k < kKeys.size(); ++k)
                QVERIFY(first.save(QStringLiteral("Settings"), kKeys.at(k), WrittenValue(k, 0)));
        }
        std::array<qint64, 3> held{0, 0, 0};
        std::mt19937 rng(seed);
        int killsDuringSaves = 0;
        int changedByRun = 0;
        int ownerlessLocks = 0; // killed between creating a lock file and writing into it
        for (int kill = 1; kill <= kKillsPerSeed; ++kill) {
            const qint64 first = qint64(kill) * 1000000;
            const QString where = QStringLiteral("seed %1, kill %2").arg(seed).arg(kill);
            QProcess writer;
            writer.setProcessChannelMode(QProcess::SeparateChannels);
            writer.start(QStringLiteral(SETTINGS_WRITER_CHILD), {path, QString::number(first)});
            QVERIFY2(writer.waitForStarted(), qPrintable(where));
            const bool duringStartUp = rng() % 8 == 0;
            if (!duringStartUp) {
                // Once a round is done the writer is saving without pause: a kill now lands
                // inside a save or between two.
                while (!writer.canReadLine()) {
                    QVERIFY2(writer.waitForReadyRead(60000),
                             qPrintable(where + QStringLiteral(": the writer saved nothing: ") +
                                        QString::fromLocal8Bit(writer.readAllStandardError())));
                }
                ++killsDuringSaves;
            }
            QThread::usleep(rng() % 20000);
            writer.kill();
            QVERIFY2(writer.waitForFinished(30000), qPrintable(where));
            QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                     qPrintable(where + QStringLiteral(": the writer stopped by itself: ") +
                                QString::fromLocal8Bit(writer.readAllStandardError())));

            DiskReading disk(path);
            QVERIFY2(disk.format == QSettings::NoError, qPrintable(where + ": damaged file"));
            std::array<qint64, 3> now{};
            for (int k = 0; k < kKeys.size(); ++k) {
                const QString value = disk.value(kKeys.at(k));
                now[k] = RoundOf(k, value);
                QVERIFY2(now[k] == held[k] || now[k] >= first,
                         qPrintable(QStringLiteral("%1: %2 holds %3 (%4 chars), neither the old "
                                                   "value of round %5 nor a whole new one")
                                        .arg(where, kKeys.at(k), value.left(30))
                                        .arg(value.size())
                                        .arg(held[k])));
            }
            QVERIFY2(now[0] >= now[1] && now[1] >= now[2],
                     qPrintable(where + QStringLiteral(": a later entry is newer than an earlier "
                                                       "one, so a save was lost")));
            changedByRun += now != held;
            ownerlessLocks += AgeOwnerlessLocks(path);
            held = now;
        }
        // After all that the program still starts on the file and restores the last values.
        QtSettingsStore store(path);
        FormDriver d(store);
        QCOMPARE(d.text(QStringLiteral("CmbJs")), WrittenValue(0, held[0]));
        QCOMPARE(d.text(QStringLiteral("TxtAdd")), WrittenValue(1, held[1]));
        QCOMPARE(d.text(QStringLiteral("TxtInputSJJS")), WrittenValue(2, held[2]));
        // A save writes a temporary file beside the real one and renames it: a kill before the
        // rename leaves that file behind.
        const QStringList leftOver =
            QDir(dir_.path()).entryList({QStringLiteral("Tallyra.conf.??????")}, QDir::Files);
        qInfo("seed %u: %d kills (%d after the first saves, %d during start-up), %d of them "
              "after new values reached the file, %d leaving an ownerless lock; %lld files left "
              "behind by killed saves",
              seed, kKillsPerSeed, killsDuringSaves, kKillsPerSeed - killsDuringSaves, changedByRun,
              ownerlessLocks, static_cast<long long>(leftOver.size()));
    }
};

QTEST_MAIN(TestSettingsFaults)
#include "test_settings_faults.moc"
