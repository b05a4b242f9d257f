// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/launcher.h"
#include "platform/program_files.h"
#include "platform/settings_store.h"

#include <QMap>
#include <QStringList>

namespace tallyra::test {

// A settings store in memory, so that window tests never reach the user's own settings.
class MemorySettingsStore final : public SettingsStore {
public:
    QString read(const QString& section, const QString& key, const QString& fallback) override
    {
        return entries.value(section + QLatin1Char('/') + key, fallback);
    }
    bool save(const QString& section, const QString& key, const QString& text) override
    {
        if (failWrites)
            return false;
        entries.insert(section + QLatin1Char('/') + key, text);
        return true;
    }
    QStringList keys(const QString& section) override
    {
        QStringList found;
        const QString prefix = section + QLatin1Char('/');
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            if (it.key().startsWith(prefix))
                found << it.key().mid(prefix.size());
        return found;
    }
    bool remove(const QString& section, const QString& key) override
    {
        if (failWrites)
            return false;
        entries.remove(section + QLatin1Char('/') + key);
        return true;
    }

    QMap<QString, QString> entries;
    bool failWrites = false;
};

// Records what would have been started or opened.
class RecordingLauncher final : public Launcher {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       FirstWindow window) override
    {
        started.append(program);
        started.append(arguments);
        windows.append(window);
        return succeed;
    }
    bool openDocument(const QString& path) override
    {
        opened.append(path);
        return succeed;
    }

    QStringList started;
    QList<FirstWindow> windows; // how each started program's first window was to show
    QStringList opened;
    bool succeed = true;
};

// A program installed at a fixed place that no test creates.
class FixedProgramFiles final : public ProgramFiles {
public:
    QString directory() const override { return QStringLiteral("/nonexistent/tallyra/bin"); }
    QString readmePath() const override
    {
        return QStringLiteral("/nonexistent/tallyra/share/tallyra/readme.txt");
    }
};

} // namespace tallyra::test
