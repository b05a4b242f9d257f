#include "platform/launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace tallyra {

bool QtLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool QtLauncher::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace tallyra
