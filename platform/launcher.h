// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tallyra {

// How a started program's first window shows. Windows passes it to the program; other
// desktops leave the size of a new window to the window manager.
enum class FirstWindow { Normal, Maximized };

// Starting other programs, never through a shell and never waiting for them.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Starts `program` with `arguments` as a separate process; false when it could not start.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               FirstWindow window) = 0;

    // Opens a document in the desktop's viewer for its type; false when that failed.
    virtual bool openDocument(const QString& path) = 0;
};

// QProcess and the desktop services.
class QtLauncher final : public Launcher {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       FirstWindow window) override;
    bool openDocument(const QString& path) override;
};

} // namespace tallyra
