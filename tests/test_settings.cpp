// SPDX-License-Identifier: GPL-3.0-or-later
// The remembered inputs: saving them, restoring them on the next start, and every message.
#include "platform/settings_store.h"
#include "tests/support/form_driver.h"

#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyra;
using test::FormDriver;

namespace {

const QString kSaved = QStringLiteral("保存成功！");

bool IsChosen(const FormDriver& d, const QString& name)
{
    return d.control<QRadioButton>(name)->isChecked();
}

bool Shown(FormDriver& d, const QString& name)
{
    return d.control(name)->isVisibleTo(&d.form());
}

// Chooses the own threshold and the own fund base, types the three remembered values and
// saves them all.
void SaveAllOwnValues(FormDriver& d, const QString& threshold, const QString& subsidy,
                      const QString& base)
{
    d.click(QStringLiteral("OptType(1)"));
    d.setText(QStringLiteral("CmbJs"), threshold);
    d.setText(QStringLiteral("TxtAdd"), subsidy);
    d.click(QStringLiteral("OptSjType(1)"));
    d.setText(QStringLiteral("TxtInputSJJS"), base);
    d.triggerMenu(QStringLiteral("M_SaveAll"));
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString iniPath() const { return dir_.filePath(QStringLiteral("Tallyra.conf")); }
    void writeRaw(const QString& key, const QString& value)
    {
        QSettings raw(iniPath(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("Settings/") + key, value);
    }

private slots:
    void init()
    {
        test::UseChineseLocale();
        QFile::remove(iniPath());
    }

    void firstRunKeepsTheDefaults()
    {
        QtSettingsStore store(iniPath());
        FormDriver d(store);
        QVERIFY(IsChosen(d, QStringLiteral("OptType(0)")));
        QVERIFY(IsChosen(d, QStringLiteral("OptSjType(0)")));
        QVERIFY(!Shown(d, QStringLiteral("CmbJs")));
        QVERIFY(!Shown(d, QStringLiteral("TxtInputSJJS")));
        QCOMPARE(d.text(QStringLiteral("TxtAdd")), QStringLiteral("0"));
        QCOMPARE(d.text(QStringLiteral("TxtInputSJJS")), QStringLiteral("1200"));
    }

    // Saved with Save All, restored on the next start exactly as typed.
    void roundTripAsTyped_data()
    {
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QString>("subsidy");
        QTest::addColumn<QString>("base");
        // clang-format off
        QTest::newRow("plain") << "1500" << "150" << "2000";
        QTest::newRow("leading blank") << " 1200" << " 80" << " 3000";
        QTest::newRow("group separator") << "1,500" << "1,000.5" << "12,000";
        QTest::newRow("full-width") << "１５００" << "１５０" << "２０００";
        QTest::newRow("negative subsidy") << "800" << "-200" << "2000";
        // clang-format on
    }
    void roundTripAsTyped()
    {
        QFETCH(QString, threshold);
        QFETCH(QString, subsidy);
        QFETCH(QString, base);
        {
            QtSettingsStore store(iniPath());
            FormDriver d(store);
            SaveAllOwnValues(d, threshold, subsidy, base);
            QCOMPARE(d.messages().shown, QStringList{kSaved});
        }
        QtSettingsStore store(iniPath());
        FormDriver restarted(store);
        QVERIFY(IsChosen(restarted, QStringLiteral("OptType(1)")));
        QVERIFY(Shown(restarted, QStringLiteral("CmbJs")));
        QCOMPARE(restarted.text(QStringLiteral("CmbJs")), threshold);
        QCOMPARE(restarted.control<QComboBox>(QStringLiteral("CmbJs"))->count(), 4);
        QCOMPARE(restarted.text(QStringLiteral("TxtAdd")), subsidy);
        QVERIFY(IsChosen(restarted, QStringLiteral("OptSjType(1)")));
        QVERIFY(Shown(restarted, QStringLiteral("TxtInputSJJS")));
        QCOMPARE(restarted.text(QStringLiteral("TxtInputSJJS")), base);
        QCOMPARE(restarted.messages().shown, QStringList());
    }

    // Restoring chooses the remembered options as a click would: their handlers show the list
    // and the box that go with them and fill the list, and only the chosen option is a Tab
    // stop. The window connects its handlers before it loads; in the other order the list
    // would stay empty and the base box hidden.
    void restoringRunsTheOptionHandlers()
    {
        test::MemorySettingsStore store;
        store.entries.insert(QStringLiteral("Settings/JSJS"), QStringLiteral("1500"));
        store.entries.insert(QStringLiteral("Settings/J3JS"), QStringLiteral("2000"));
        FormDriver d(store);
        auto* list = d.control<QComboBox>(QStringLiteral("CmbJs"));
        QVERIFY(Shown(d, QStringLiteral("CmbJs")));
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        QCOMPARE(items, (QStringList{"800", "1000", "1200", "1400"}));
        QCOMPARE(list->currentText(), QStringLiteral("1500"));
        QVERIFY(Shown(d, QStringLiteral("TxtInputSJJS")));
        QCOMPARE(d.text(QStringLiteral("TxtInputSJJS")), QStringLiteral("2000"));
        QCOMPARE(d.control(QStringLiteral("OptType(1)"))->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(d.control(QStringLiteral("OptType(0)"))->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(d.control(QStringLiteral("OptSjType(1)"))->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(d.control(QStringLiteral("OptSjType(0)"))->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(d.messages().shown, QStringList());
    }

    // Zero, negative (but a subsidy), missing, damaged or out-of-range values restore nothing.
    void unusableStoredValuesRestoreNothing_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-5";
        QTest::newRow("letters") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("beyond single range") << "1e39";
        QTest::newRow("inf") << "inf";
        QTest::newRow("nan") << "nan";
    }
    void unusableStoredValuesRestoreNothing()
    {
        QFETCH(QString, stored);
        writeRaw(QStringLiteral("JSJS"), stored);
        writeRaw(QStringLiteral("J3JS"), stored);
        if (stored != QLatin1String("-5"))
            writeRaw(QStringLiteral("BT"), stored);
        QtSettingsStore store(iniPath());
        FormDriver d(store);
        QVERIFY(IsChosen(d, QStringLiteral("OptType(0)")));
        QVERIFY(!Shown(d, QStringLiteral("CmbJs")));
        QCOMPARE(d.text(QStringLiteral("TxtAdd")), QStringLiteral("0"));
        QVERIFY(IsChosen(d, QStringLiteral("OptSjType(0)")));
        QCOMPARE(d.text(QStringLiteral("TxtInputSJJS")), QStringLiteral("1200"));
    }

    // A valid number longer than its box holds (the box would keep only its first 32,767
    // characters, all zeros) is damaged: it restores nothing and stays as stored until the user
    // saves. One that just fits is restored whole.
    void valueLongerThanItsBoxRestoresNothing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("box");
        QTest::newRow("tax base") << "JSJS"
                                  << "CmbJs";
        QTest::newRow("subsidy") << "BT"
                                 << "TxtAdd";
        QTest::newRow("funds base") << "J3JS"
                                    << "TxtInputSJJS";
    }
    void valueLongerThanItsBoxRestoresNothing()
    {
        QFETCH(QString, key);
        QFETCH(QString, box);
        const QString tooLong = QString(99995, QLatin1Char('0')) + QStringLiteral("12345");
        const QString fits = QString(32762, QLatin1Char('0')) + QStringLiteral("12345");
        {
            writeRaw(key, fits);
            QtSettingsStore store(iniPath());
            FormDriver d(store);
            QCOMPARE(d.text(box), fits);
        }
        writeRaw(key, tooLong);
        QtSettingsStore store(iniPath());
        {
            FormDriver d(store);
            QVERIFY(IsChosen(d, QStringLiteral("OptType(0)")));
            QVERIFY(!Shown(d, QStringLiteral("CmbJs")));
            QCOMPARE(d.text(QStringLiteral("TxtAdd")), QStringLiteral("0"));
            QVERIFY(IsChosen(d, QStringLiteral("OptSjType(0)")));
            QCOMPARE(d.text(QStringLiteral("TxtInputSJJS")), QStringLiteral("1200"));
            d.setText(QStringLiteral("TxtSQ"), QStringLiteral("3000"));
            d.click(QStringLiteral("CmdExe"));
            QCOMPARE(d.messages().shown, QStringList());
        }
        QCOMPARE(store.read(QStringLiteral("Settings"), key, QString()), tooLong);
    }

    void handEditedListEntryRestoresNothing()
    {
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nJSJS=1,500\nBT=garbage\\x\n[broken\n");
        file.close();
        QtSettingsStore store(iniPath());
        FormDriver d(store);
        QVERIFY(IsChosen(d, QStringLiteral("OptType(0)")));
        QCOMPARE(d.text(QStringLiteral("TxtAdd")), QStringLiteral("0"));
    }

    // One row per save command: what is typed, what is stored, what is said.
    void singleSaves_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("ownOption"); // "其他" or "按以下数字" chosen
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // null: nothing stored
        QTest::addColumn<QStringList>("messages");
        const QStringList saved{kSaved};
        // clang-format off
        QTest::newRow("tax base empty") << "M_SaveJS" << true << "" << "0" << saved;
        QTest::newRow("tax base typed") << "M_SaveJS" << true << "1500" << "1500" << saved;
        QTest::newRow("tax base, standard option") << "M_SaveJS" << false << "1500" << "0" << saved;
        QTest::newRow("tax base letters, hidden") << "M_SaveJS" << false << "abc" << QString() << QStringList{"交税基数一栏请输入正确的数字！"};
        QTest::newRow("funds base empty") << "M_Save3JJS" << true << "" << "0" << QStringList();
        QTest::newRow("funds base typed") << "M_Save3JJS" << true << "2000" << "2000" << saved;
        QTest::newRow("funds base, salary option") << "M_Save3JJS" << false << "2000" << "0" << saved;
        QTest::newRow("funds base letters") << "M_Save3JJS" << true << "x" << QString() << QStringList{"三金基数一栏请输入正确的数字！"};
        QTest::newRow("subsidy empty") << "M_SaveBT" << false << "" << "0" << QStringList();
        QTest::newRow("subsidy negative") << "M_SaveBT" << false << "-200" << "-200" << saved;
        QTest::newRow("subsidy letters") << "M_SaveBT" << false << "abc" << QString() << QStringList{"补贴一栏请输入正确的数字！"};
        // clang-format on
    }
    void singleSaves()
    {
        QFETCH(QString, command);
        QFETCH(bool, ownOption);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QStringList, messages);
        FormDriver d;
        QString key;
        if (command == QLatin1String("M_SaveJS")) {
            key = QStringLiteral("JSJS");
            d.click(QStringLiteral("OptType(1)"));
            d.setText(QStringLiteral("CmbJs"), typed);
            if (!ownOption)
                d.click(QStringLiteral("OptType(0)"));
        } else if (command == QLatin1String("M_Save3JJS")) {
            key = QStringLiteral("J3JS");
            if (ownOption)
                d.click(QStringLiteral("OptSjType(1)"));
            d.setText(QStringLiteral("TxtInputSJJS"), typed);
        } else {
            key = QStringLiteral("BT");
            d.setText(QStringLiteral("TxtAdd"), typed);
        }
        d.memoryStore().entries.insert(QStringLiteral("Settings/") + key, QStringLiteral("old"));
        d.triggerMenu(command);
        QCOMPARE(d.messages().shown, messages);
        QCOMPARE(d.memoryStore().entries.value(QStringLiteral("Settings/") + key),
                 stored.isNull() ? QStringLiteral("old") : stored);
    }

    void saveAllReportsEachBadBoxThenSuccess_data()
    {
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QString>("subsidy");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QStringList>("messages");
        // clang-format off
        QTest::newRow("all valid") << "1500" << "100" << "2000" << QStringList{kSaved};
        QTest::newRow("all empty") << "" << "" << "" << QStringList{kSaved};
        QTest::newRow("bad subsidy") << "1500" << "abc" << "2000" << QStringList{"补贴一栏请输入正确的数字！", kSaved};
        QTest::newRow("all bad") << "a" << "b" << "c" << QStringList{"交税基数一栏请输入正确的数字！", "补贴一栏请输入正确的数字！", "三金基数一栏请输入正确的数字！", kSaved};
        // clang-format on
    }
    void saveAllReportsEachBadBoxThenSuccess()
    {
        QFETCH(QString, threshold);
        QFETCH(QString, subsidy);
        QFETCH(QString, base);
        QFETCH(QStringList, messages);
        FormDriver d;
        d.memoryStore().entries.insert(QStringLiteral("Settings/BT"), QStringLiteral("old"));
        SaveAllOwnValues(d, threshold, subsidy, base);
        QCOMPARE(d.messages().shown, messages);
        if (subsidy == QLatin1String("abc"))
            QCOMPARE(d.memoryStore().entries.value(QStringLiteral("Settings/BT")),
                     QStringLiteral("old"));

        d.messages().clear();
        d.triggerMenu(QStringLiteral("M_SaveJS")); // a single save speaks again afterwards
        QCOMPARE(d.messages().shown.last(), threshold == QLatin1String("a")
                                                ? QStringLiteral("交税基数一栏请输入正确的数字！")
                                                : kSaved);
    }

    // A store that cannot be written is never reported as saved.
    void failedWriteIsReported_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("messages");
        // clang-format off
        QTest::newRow("tax base") << "M_SaveJS" << QStringList{"交税基数保存失败：无法写入设置文件，请检查它是否可写！"};
        QTest::newRow("subsidy") << "M_SaveBT" << QStringList{"补贴数字保存失败：无法写入设置文件，请检查它是否可写！"};
        QTest::newRow("save all") << "M_SaveAll" << QStringList{"交税基数保存失败：无法写入设置文件，请检查它是否可写！", "补贴数字保存失败：无法写入设置文件，请检查它是否可写！", "三金基数保存失败：无法写入设置文件，请检查它是否可写！"};
        // clang-format on
    }
    void failedWriteIsReported()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, messages);
        // The store's folder would have to be created inside a plain file: no write can succeed,
        // whoever runs the test.
        QFile blocker(dir_.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QtSettingsStore store(dir_.filePath(QStringLiteral("not-a-folder/Tallyra.conf")));
        FormDriver d(store);
        d.setText(QStringLiteral("TxtAdd"), QStringLiteral("150"));
        d.click(QStringLiteral("OptSjType(1)"));
        d.triggerMenu(command);
        QCOMPARE(d.messages().shown, messages);
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
