// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tallyra {

// Every message the program shows goes through here: a modal box captioned with the
// application title, no icon. The program uses real dialogs; tests record the texts and
// script the answers.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // One OK button; returns once the user has closed the box.
    virtual void inform(const QString& text) = 0;

    // Yes and No, Yes the default; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;

    // Before changes not yet saved are dropped: save them, drop them, or do nothing after all.
    enum class SaveChoice { Save, Discard, Cancel };
    // 保存, 不保存 and 取消, 保存 the default and 取消 on Escape.
    virtual SaveChoice askSaveChanges(const QString& text) = 0;
};

// Modal QMessageBoxes over `parent` (none: centred on the screen), with Chinese buttons (the
// question's "是(Y)" and "否(N)" answer to Y and N), each wide enough for a title bar to show
// its caption whole.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr);
    void setParent(QWidget* parent);

    void inform(const QString& text) override;
    bool askYesNo(const QString& text) override;
    SaveChoice askSaveChanges(const QString& text) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace tallyra
