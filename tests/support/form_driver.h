// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/chinese_locale.h"
#include "tests/support/fake_platform.h"
#include "tests/support/recording_message_boxes.h"
#include "tests/support/system_info_doubles.h"
#include "window/form1.h"

#include <QLineEdit>

#include <memory>

namespace tallyra::test {

// A real main window on the offscreen platform, its messages recorded, driven by control
// names as a user would: type into boxes, tick, choose, click, press Enter.
class FormDriver {
public:
    // A fresh window on its own in-memory settings, or on a given store (a restart).
    FormDriver();
    explicit FormDriver(SettingsStore& store);
    ~FormDriver();

    Form1& form() { return *form_; }
    RecordingMessageBoxes& messages() { return messages_; }
    MemorySettingsStore& memoryStore() { return memoryStore_; }
    RecordingLauncher& launcher() { return launcher_; }
    const FixedProgramFiles& programFiles() const { return programFiles_; }

    template <class T = QWidget> T* control(const QString& name) const
    {
        return form_->findChild<T*>(name);
    }

    QString text(const QString& name) const;
    void setText(const QString& name, const QString& text);
    void setChecked(const QString& name, bool checked);
    void click(const QString& name);
    void pressEnter(const QString& name, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void chooseDirection(int index);

    // The common set-up of the worked examples: a salary, a funds total left by an earlier
    // run (with recomputing off), a subsidy, and the standard threshold.
    void enterWithFixedFunds(const QString& salary, const QString& funds, const QString& subsidy);
    QStringList results() const; // TxtSQ2, TxtExe, TxtSh, txtSJXJ

    void triggerMenu(const QString& actionName);

private:
    RecordingMessageBoxes messages_;
    MemorySettingsStore memoryStore_;
    RecordingLauncher launcher_;
    FixedProgramFiles programFiles_;
    ScriptedRegistry registry_; // holds no value
    ScriptedFileTest files_;
    std::unique_ptr<Form1> form_;
};

} // namespace tallyra::test
