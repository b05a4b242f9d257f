// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "about/about_controls.h"

#include <QDialog>

namespace tallyra {

class FileTest;
class Launcher;
class MessageBoxes;
class RegistryReader;

// What the About box needs from the platform; tests hand in doubles. The services must outlive
// the box.
struct AboutServices {
    MessageBoxes* messages = nullptr;
    RegistryReader* registry = nullptr;
    FileTest* files = nullptr;
    Launcher* launcher = nullptr;
};

// The About box: the program's icon, title, version and notice lines, with OK and System Info.
// It deletes itself when closed, so every opening loads a fresh box.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(AboutServices services, QWidget* parent = nullptr);

    // Finds the system-information tool through the registry and starts it; tells the user
    // when it cannot.
    void StartSysInfo();

    // Reads a string or 32-bit number value into `text`. False, with `text` emptied, when the
    // key or value is missing or unreadable; a value of another type leaves `text` as it was
    // and still counts as found.
    bool GetKeyValue(quint32 root, const QString& keyPath, const QString& valueName, QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    bool launchSysInfo();

    AboutServices services_;
    AboutControls ui;
};

} // namespace tallyra
