// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/fake_platform.h"
#include "tests/support/recording_message_boxes.h"
#include "year/pages/result_tabs.h"
#include "year/year_dialogs.h"
#include "year/year_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include <memory>

namespace tallyra::test {

// Names the files and the PDF "printer" a user would choose in the dialogs.
class ScriptedYearDialogs final : public year::YearDialogs {
public:
    QString chooseSaveFile(QWidget*, const QString& title, const QString& suggestedName,
                           const QString&) override
    {
        asked << title + QLatin1Char('|') + suggestedName;
        return nextFile;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override;

    QString nextFile;    // empty: the user cancels
    QString printerFile; // a PDF the "printer" writes; empty: the user cancels
    QStringList asked;
};

// The year planner's real window on the offscreen platform, on doubles: recorded messages, a
// settings store in memory (or one given, for a restart), scripted dialogs and a fixed day.
class YearDriver {
public:
    explicit YearDriver(QDate today = QDate(2026, 12, 7));
    YearDriver(SettingsStore& store, QDate today = QDate(2026, 12, 7));
    ~YearDriver();

    year::YearWindow& window() { return *window_; }
    RecordingMessageBoxes& messages() { return messages_; }
    MemorySettingsStore& memoryStore() { return store_; }
    ScriptedYearDialogs& dialogs() { return dialogs_; }

    template <class T = QWidget> T* control(const QString& name) const
    {
        T* found = window_->findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }

    // Types into a box as a user does: the old text selected and replaced, key by key.
    void type(const QString& name, const QString& text);
    // Chooses the entry of a list box whose data is `value`.
    void choose(const QString& name, int value);
    void setChecked(const QString& name, bool checked);
    void setCount(const QString& name, int count);
    QString hint(const QString& name) const; // the reason or note below a box, "" when hidden
    // Brings up the page of the result tabs that holds `widget`, as a user clicks its tab.
    void showPageOf(QWidget* widget);

    // The realistic year: wage 25,000, bonus 60,000 in December, two children in school, a
    // housing loan, contribution bases between Shanghai-like floors and caps.
    void enterRealisticYear();

private:
    void build(SettingsStore& store, QDate today);

    RecordingMessageBoxes messages_;
    MemorySettingsStore store_;
    ScriptedYearDialogs dialogs_;
    std::unique_ptr<year::YearWindow> window_;
};

} // namespace tallyra::test
