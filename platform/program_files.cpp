// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tallyra {

QString QtProgramFiles::directory() const
{
    return QCoreApplication::applicationDirPath();
}

QString QtProgramFiles::readmePath() const
{
    return ReadmeFor(directory());
}

QString ReadmeFor(const QString& programDirectory)
{
    const QDir programDir(programDirectory);
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
