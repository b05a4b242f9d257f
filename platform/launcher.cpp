// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tallyra {

bool QtLauncher::startDetached(const QString& program, const QStringList& arguments,
                               FirstWindow window)
{
    if (program.isEmpty())
        return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
#ifdef Q_OS_WIN
    // The program's first window takes the show command of its start-up information.
    if (window == FirstWindow::Maximized) {
        process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = SW_SHOWMAXIMIZED;
        });
    }
#else
    Q_UNUSED(window)
#endif
    return process.startDetached();
}

bool QtLauncher::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace tallyra
