// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tallyra {

// Where the program's own files lie: its folder and the user's readme.
class ProgramFiles {
public:
    virtual ~ProgramFiles() = default;

    // The folder that holds the running program file, without a trailing separator.
    virtual QString directory() const = 0;

    // The user's readme; see ReadmeFor.
    virtual QString readmePath() const = 0;
};

// The running program's folder, as Qt reports it, and the readme found from there.
class QtProgramFiles final : public ProgramFiles {
public:
    QString directory() const override;
    QString readmePath() const override;
};

// Where the readme of a program in `programDirectory` lies: beside the program (a build folder,
// a Windows install), else in the installed data folder <prefix>/share/tallyra beside the
// program's <prefix>/bin. When neither holds it, the path beside the program, so that the
// viewer names the missing file.
QString ReadmeFor(const QString& programDirectory);

} // namespace tallyra
