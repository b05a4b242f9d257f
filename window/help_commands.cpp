// SPDX-License-Identifier: GPL-3.0-or-later
// The help menu's commands that leave the calculation: About and Readme.
#include "window/form1.h"

#include "platform/launcher.h"
#include "platform/message_boxes.h"
#include "platform/program_files.h"
#include "window/window_messages.h"

#include <QDir>

namespace tallyra {

void Form1::MC_about_Click()
{
    CmdAbout_Click();
}

// The About box has no owner, so the calculator stays usable and closing the calculator
// leaves it open; asking again brings the same box to the front.
void Form1::CmdAbout_Click()
{
    if (!aboutBox_)
        aboutBox_ = new frmAbout(services_.about);
    aboutBox_->show();
    aboutBox_->raise();
    aboutBox_->activateWindow();
}

// The readme opens in the text viewer without the calculator waiting for it. On Windows the
// viewer is Notepad, maximized, given the path as one argument (so a folder with blanks is no
// problem);
// elsewhere the desktop's viewer for text files.
void Form1::MC_readme_Click()
{
    const QString path = services_.programFiles->readmePath();
#ifdef Q_OS_WIN
    const bool started = services_.launcher->startDetached(
        QStringLiteral("notepad.exe"), {QDir::toNativeSeparators(path)}, FirstWindow::Maximized);
#else
    const bool started = services_.launcher->openDocument(path);
#endif
    if (!started)
        inform(window_messages::ReadmeCannotOpen(QDir::toNativeSeparators(path)));
}

} // namespace tallyra
