#include "platform/readme_path.h"

#include "platform/launcher.h"

#include <QDir>
#include <QFileInfo>

namespace tallyra {

QString ReadmePath()
{
    const QDir programDir(ProgramDirectory());
    const QString besideProgram = programDir.filePath(QStringLiteral("readme.txt"));
    if (QFileInfo(besideProgram).isFile())
        return besideProgram;
    const QString installed =
        QDir::cleanPath(programDir.filePath(QStringLiteral("../share/tallyra/readme.txt")));
    if (QFileInfo(installed).isFile())
        return installed;
    return besideProgram;
}

} // namespace tallyra
