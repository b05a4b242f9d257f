// SPDX-License-Identifier: GPL-3.0-or-later
// Named profiles in the settings store: saved, remembered as the last used, restored after a
// restart and after damage to the file, compared side by side; the calculator's own entries
// left alone.
#include "platform/settings_store.h"
#include "tests/law/law_test_support.h"
#include "tests/year/year_driver.h"
#include "year/amount_text.h"
#include "year/files/profile_store.h"
#include "year/form/input_form.h"
#include "year/pages/compare_page.h"
#include "year/pages/year_table_model.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyra;
using law::Money;
using law_test::M;

namespace {

void SaveProfile(test::YearDriver& d, const QString& name)
{
    auto* box = d.control<QComboBox>("profileBox");
    box->setEditText(name);
    d.control<QPushButton>("saveProfileButton")->click();
}

void Open(test::YearDriver& d, const QString& name)
{
    auto* box = d.control<QComboBox>("profileBox");
    const int index = box->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    box->setCurrentIndex(index);
    emit box->activated(index); // as a user choosing it in the list
}

QStringList Names(test::YearDriver& d)
{
    auto* box = d.control<QComboBox>("profileBox");
    QStringList names;
    for (int i = 0; i < box->count(); ++i)
        names << box->itemText(i);
    return names;
}

Money Wage(test::YearDriver& d)
{
    return d.window().inputs() ? d.window().inputs()->wage : Money::Fen(-1);
}

// A store in memory that counts how often the planner lists a section.
class CountingStore final : public SettingsStore {
public:
    QString read(const QString& section, const QString& key, const QString& fallback) override
    {
        return entries.value(section + QLatin1Char('/') + key, fallback);
    }
    bool save(const QString& section, const QString& key, const QString& text) override
    {
        entries.insert(section + QLatin1Char('/') + key, text);
        return true;
    }
    QStringList keys(const QString& section) override
    {
        ++keysAsked;
        QStringList found;
        const QString prefix = section + QLatin1Char('/');
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            if (it.key().startsWith(prefix))
                found << it.key().mid(prefix.size());
        return found;
    }
    bool remove(const QString& section, const QString& key) override
    {
        return entries.remove(section + QLatin1Char('/') + key) > 0;
    }

    QMap<QString, QString> entries;
    int keysAsked = 0;
};

} // namespace

class TestYearProfiles : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString ini() const { return dir_.filePath(QStringLiteral("Tallyra.conf")); }

    // Two profiles saved, the second last; the window closed as a user closes it.
    void saveTwo()
    {
        QtSettingsStore store(ini());
        test::YearDriver d(store);
        d.enterRealisticYear();
        SaveProfile(d, QStringLiteral("上海 2026"));
        d.type(QStringLiteral("wageEdit"), QStringLiteral("30000"));
        d.choose(QStringLiteral("firstMonthBox"), 3);
        SaveProfile(d, QStringLiteral("offer A"));
        QVERIFY(d.messages().shown.isEmpty());
    }

private slots:
    void init()
    {
        QFile::remove(ini());
        QSettings calculator(ini(), QSettings::IniFormat);
        calculator.setValue(QStringLiteral("Settings/JSJS"), QStringLiteral("1200"));
        calculator.setValue(QStringLiteral("Settings/BT"), QStringLiteral("150"));
    }

    void surviveARestart()
    {
        saveTwo();
        QtSettingsStore store(ini());
        test::YearDriver d(store);
        QCOMPARE(Names(d), (QStringList{QStringLiteral("offer A"), QStringLiteral("上海 2026")}));
        // The last used profile, as it was left.
        QCOMPARE(d.control<QComboBox>("profileBox")->currentText(), QStringLiteral("offer A"));
        QCOMPARE(Wage(d), M("30000"));
        QCOMPARE(d.window().inputs()->plan.firstMonthEmployed, 3);
        QVERIFY(d.control<QLabel>("profileHint")->text().isEmpty());
        Open(d, QStringLiteral("上海 2026"));
        QCOMPARE(Wage(d), M("25000"));
        QCOMPARE(d.window().inputs()->plan.special.childrenInEducation, 2);
        QCOMPARE(store.read(QStringLiteral("YearPlanner"), QStringLiteral("LastUsed"), {}),
                 QStringLiteral("上海 2026"));
        // The calculator's entries are as they were, and none was added to its section.
        QSettings raw(ini(), QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Settings/JSJS")).toString(), QStringLiteral("1200"));
        QCOMPARE(raw.value(QStringLiteral("Settings/BT")).toString(), QStringLiteral("150"));
        raw.beginGroup(QStringLiteral("Settings"));
        QCOMPARE(raw.childKeys().size(), 2);
    }

    // Unsaved changes are kept when the window closes and come back at the next start, with the
    // profile they came from marked as changed.
    void keepsTheInputsAsLeft()
    {
        saveTwo();
        {
            QtSettingsStore store(ini());
            test::YearDriver d(store);
            d.type(QStringLiteral("wageEdit"), QStringLiteral("31000"));
            QCOMPARE(d.control<QLabel>("profileHint")->text(), QStringLiteral("已修改，尚未保存"));
        }
        QtSettingsStore store(ini());
        test::YearDriver d(store);
        QCOMPARE(Wage(d), M("31000"));
        QCOMPARE(d.control<QLabel>("profileHint")->text(), QStringLiteral("已修改，尚未保存"));
    }

    void checksTheName()
    {
        test::YearDriver d;
        SaveProfile(d, QStringLiteral("   "));
        QCOMPARE(d.control<QLabel>("profileHint")->text(), QStringLiteral("请先填写方案名称"));
        SaveProfile(d, QString(41, QLatin1Char('x')));
        QVERIFY(d.control<QLabel>("profileHint")->text().contains(QStringLiteral("40")));
        QVERIFY(Names(d).isEmpty());
        QVERIFY(d.messages().shown.isEmpty());
    }

    void asksBeforeReplacingOrDeleting()
    {
        test::YearDriver d;
        SaveProfile(d, QStringLiteral("A"));
        d.type(QStringLiteral("wageEdit"), QStringLiteral("20000"));
        SaveProfile(d, QStringLiteral("B"));
        // Saving B's inputs under A's name asks first; No keeps A.
        d.messages().scriptAnswers({false});
        SaveProfile(d, QStringLiteral("A"));
        QCOMPARE(d.messages().shown.last(),
                 QStringLiteral("已有名为“A”的方案，要用当前输入替换它吗？"));
        QCOMPARE(d.window().profiles().load(QStringLiteral("A"))->wage, M("10000"));
        d.messages().scriptAnswers({true});
        SaveProfile(d, QStringLiteral("A"));
        QCOMPARE(d.window().profiles().load(QStringLiteral("A"))->wage, M("20000"));
        // Deleting asks too.
        d.messages().scriptAnswers({false, true});
        d.window().deleteProfile();
        QCOMPARE(Names(d).size(), 2);
        d.window().deleteProfile();
        QCOMPARE(Names(d), QStringList{QStringLiteral("B")});
        QCOMPARE(d.messages().unexpectedQuestions, 0);
        QVERIFY(!d.memoryStore().entries.contains(QStringLiteral("YearPlanner/Profile-41")));
    }

    void saysWhenTheStoreCannotBeWritten()
    {
        test::YearDriver d;
        d.memoryStore().failWrites = true;
        SaveProfile(d, QStringLiteral("A"));
        QCOMPARE(d.messages().shown,
                 QStringList{QStringLiteral("方案“A”没能保存：无法写入设置。")});
    }

    // A damaged file: the window starts, keeps what still reads, says what did not, and saves
    // again.
    void surviveADamagedFile_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("wage");
        const QStringList both = {QStringLiteral("offer A"), QStringLiteral("上海 2026")};
        QTest::newRow("garbage appended") << "garbage" << both << "30000";
        QTest::newRow("current entry not JSON") << "current" << both << "30000";
        QTest::newRow("current entry missing, last used broken") << "last" << both << "10000";
        QTest::newRow("a field damaged") << "field" << both << "10000";
        QTest::newRow("cut in the middle") << "cut" << QStringList{} << "";
    }
    void surviveADamagedFile()
    {
        QFETCH(QString, damage);
        QFETCH(QStringList, names);
        QFETCH(QString, wage);
        saveTwo();
        QSettings raw(ini(), QSettings::IniFormat);
        const QString offerA = QStringLiteral("YearPlanner/Profile-") +
                               QString::fromLatin1(QByteArray("offer A").toHex());
        if (damage == QLatin1String("current")) {
            raw.setValue(QStringLiteral("YearPlanner/Current"), QStringLiteral("{\"year\":"));
        } else if (damage == QLatin1String("last")) {
            raw.remove(QStringLiteral("YearPlanner/Current"));
            raw.setValue(offerA, QStringLiteral("[1,2"));
        } else if (damage == QLatin1String("field")) {
            raw.remove(QStringLiteral("YearPlanner/Current"));
            QString text = raw.value(offerA).toString();
            text.replace(QStringLiteral("\"wage\":\"30000.00\""),
                         QStringLiteral("\"wage\":\"3万\""));
            raw.setValue(offerA, text);
        }
        raw.sync();
        QFile file(ini());
        if (damage == QLatin1String("garbage")) {
            QVERIFY(file.open(QIODevice::Append));
            file.write("\n\x01\x02[YearPlanner\nProfile-zz=\"unterminated\n\xff\xfe=\n");
            file.close();
        } else if (damage == QLatin1String("cut")) {
            QVERIFY(file.open(QIODevice::ReadWrite));
            const QByteArray bytes = file.readAll();
            file.resize(bytes.indexOf("Profile-") + 20);
            file.close();
        }

        QtSettingsStore store(ini());
        test::YearDriver d(store);
        QVERIFY(d.messages().shown.isEmpty());
        for (const QString& name : names)
            QVERIFY2(Names(d).contains(name), qPrintable(name));
        if (!wage.isEmpty())
            QCOMPARE(Wage(d), M(wage.toStdString()));
        QVERIFY(d.window().plan().has_value()); // a usable window in every case
        if (damage == QLatin1String("last"))
            QVERIFY(d.control<QLabel>("profileHint")->text().contains(QStringLiteral("无法读取")));
        if (damage == QLatin1String("field")) {
            QVERIFY(
                d.control<QLabel>("profileHint")->text().contains(QStringLiteral("1 项无法读取")));
            QCOMPARE(d.window().inputs()->plan.firstMonthEmployed, 3); // the rest did read
        }
        // Saving works again over whatever was there.
        SaveProfile(d, QStringLiteral("after"));
        QVERIFY(d.messages().shown.isEmpty());
        QVERIFY(d.window().profiles().load(QStringLiteral("after")).has_value());
    }

    // What cannot be read is said in the status bar, and left in the file as it was.
    void saysWhatCouldNotBeRead_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("said");
        QTest::newRow("last inputs not JSON")
            << "current" << QStringLiteral("上次的输入无法读取，已改用方案“offer A”");
        QTest::newRow("a profile's text and a profile's key")
            << "profiles" << QStringLiteral("设置文件中有 2 个方案无法读取");
        QTest::newRow("both") << "both"
                              << QStringLiteral("上次的输入无法读取，已改用默认输入；"
                                                "设置文件中有 2 个方案无法读取");
    }
    void saysWhatCouldNotBeRead()
    {
        QFETCH(QString, damage);
        QFETCH(QString, said);
        saveTwo();
        const QString current = QStringLiteral("YearPlanner/Current");
        const QString offerA = QStringLiteral("YearPlanner/Profile-") +
                               QString::fromLatin1(QByteArray("offer A").toHex());
        const QString badKey = QStringLiteral("YearPlanner/Profile-zz");
        {
            QSettings raw(ini(), QSettings::IniFormat);
            if (damage != QLatin1String("profiles"))
                raw.setValue(current, QStringLiteral("{\"year\":"));
            if (damage != QLatin1String("current")) {
                raw.setValue(offerA, QStringLiteral("[1,2"));
                raw.setValue(badKey, QStringLiteral("{}"));
            }
        }
        {
            QtSettingsStore store(ini());
            test::YearDriver d(store);
            QCOMPARE(d.window().statusBar()->currentMessage(), said);
            // and it can be read: the year's summary makes room for it while it shows
            QVERIFY(!d.control(QStringLiteral("summaryLabel"))->isVisible());
            QVERIFY(d.messages().shown.isEmpty());
            QVERIFY(d.window().plan().has_value());
        }
        // The damaged profiles are still there for the user to mend (the last inputs are the
        // window's, written anew when it closes).
        QSettings raw(ini(), QSettings::IniFormat);
        if (damage != QLatin1String("current")) {
            QCOMPARE(raw.value(offerA).toString(), QStringLiteral("[1,2"));
            QCOMPARE(raw.value(badKey).toString(), QStringLiteral("{}"));
        }
    }

    // Opening and closing the planner without a change leaves the settings file as it was, the
    // user's comments in it too; a change is written.
    void writesTheFileOnlyWhenSomethingChanged()
    {
        saveTwo();
        { // the first run after saving settles the window's place
            QtSettingsStore store(ini());
            test::YearDriver d(store);
        }
        QFile file(ini());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = "; 我的注释：别删\n" + file.readAll();
        file.close();
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(before);
        file.close();
        {
            QtSettingsStore store(ini());
            test::YearDriver d(store);
            Open(d, QStringLiteral("offer A")); // the profile already in use
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        file.close();
        {
            QtSettingsStore store(ini());
            test::YearDriver d(store);
            d.type(QStringLiteral("wageEdit"), QStringLiteral("32000"));
        }
        QtSettingsStore store(ini());
        test::YearDriver d(store);
        QCOMPARE(Wage(d), M("32000"));
    }

    // The name box asks the store nothing per keystroke: the sorted names are kept and updated,
    // so thousands of profiles cost nothing while typing.
    void typingANameReadsNoStore()
    {
        CountingStore store;
        for (int i = 0; i < 2000; ++i)
            store.entries.insert(QStringLiteral("YearPlanner/Profile-") +
                                     QString::fromLatin1(QString::number(i).toUtf8().toHex()),
                                 QStringLiteral("{\"year\":2026,\"wage\":\"%1.00\"}").arg(i + 1));
        test::YearDriver d(store);
        QCOMPARE(Names(d).size(), 2000);
        const int keysAsked = store.keysAsked;
        auto* box = d.control<QComboBox>("profileBox");
        box->lineEdit()->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), QStringLiteral("offer 7"));
        QCOMPARE(store.keysAsked, keysAsked);
        QCOMPARE(d.control<QLabel>("profileHint")->text(),
                 QStringLiteral("新方案：按“保存”存下当前输入"));
        // Saved and deleted, the list follows without reading the store again.
        d.control<QPushButton>("saveProfileButton")->click();
        QVERIFY(Names(d).contains(QStringLiteral("offer 7")));
        box->setEditText(QStringLiteral("1000"));
        d.messages().scriptAnswers({true});
        d.control<QPushButton>("deleteProfileButton")->click();
        QVERIFY(!Names(d).contains(QStringLiteral("1000")));
        QCOMPARE(Names(d).size(), 2000);
        QCOMPARE(store.keysAsked, keysAsked);
        QCOMPARE(d.messages().unexpectedQuestions, 0);
        // The list kept up to date is the list read afresh, in the same order.
        QCOMPARE(Names(d), year::ProfileStore(store, 2026).names());
    }

    // Two offers side by side: each column is the engine's year of that profile.
    void comparesTwoProfiles()
    {
        saveTwo();
        QtSettingsStore store(ini());
        test::YearDriver d(store);
        d.showPageOf(d.window().tabs()->page<year::ComparePage>());
        d.window().tabs()->page<year::ComparePage>()->choose(QStringLiteral("上海 2026"),
                                                             QStringLiteral("offer A"));
        QTableWidget* table = d.window().tabs()->page<year::ComparePage>()->table();
        const auto a = d.window().profiles().load(QStringLiteral("上海 2026"));
        const auto b = d.window().profiles().load(QStringLiteral("offer A"));
        const law::YearPlan planA = law::PlanYear(a->plan);
        const law::YearPlan planB = law::PlanYear(b->plan);
        auto row = [&](const QString& caption) {
            for (int r = 0; r < table->rowCount(); ++r)
                if (table->verticalHeaderItem(r)->text() == caption)
                    return r;
            return -1;
        };
        const int takeHome = row(QStringLiteral("全年税后收入"));
        QCOMPARE(table->item(takeHome, 0)->text(), year::GroupedAmount(planA.totals.takeHome));
        QCOMPARE(table->item(takeHome, 1)->text(), year::GroupedAmount(planB.totals.takeHome));
        QCOMPARE(table->item(takeHome, 2)->text(),
                 year::GroupedAmount(planB.totals.takeHome - planA.totals.takeHome));
        const int cost = row(QStringLiteral("单位全年总成本"));
        QCOMPARE(table->item(cost, 1)->text(), year::GroupedAmount(planB.totals.employerCost));
        // The current inputs are the first choice and follow the form.
        d.window().tabs()->page<year::ComparePage>()->choose(QStringLiteral("（当前输入）"),
                                                             QStringLiteral("offer A"));
        d.type(QStringLiteral("wageEdit"), QStringLiteral("12000"));
        QCOMPARE(table->item(row(QStringLiteral("月工资")), 0)->text(),
                 QStringLiteral("12,000.00"));
    }
};

QTEST_MAIN(TestYearProfiles)
#include "test_year_profiles.moc"
