// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace tallyra {

// The per-user store of the remembered inputs: text entries under the application title,
// addressed by section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `fallback` when the entry is missing or unreadable.
    virtual QString read(const QString& section, const QString& key, const QString& fallback) = 0;

    // Creates or replaces the entry and writes it through; false when it could not be stored.
    virtual bool save(const QString& section, const QString& key, const QString& text) = 0;

    // The keys of a section, for entries kept under names of the user's choosing.
    virtual QStringList keys(const QString& section) = 0;
    // Removes the entry and writes that through; false when it could not be stored.
    virtual bool remove(const QString& section, const QString& key) = 0;
};

// QSettings under the application title: on Linux the file Tallyra.conf in the user's XDG
// config folder (~/.config), on Windows the current user's registry (HKCU\Software\Tallyra).
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();
    // An INI file at a given place: for tests and portable use.
    explicit QtSettingsStore(const QString& iniFilePath);
    ~QtSettingsStore() override;

    QString read(const QString& section, const QString& key, const QString& fallback) override;
    bool save(const QString& section, const QString& key, const QString& text) override;
    QStringList keys(const QString& section) override;
    bool remove(const QString& section, const QString& key) override;

private:
    bool writeThrough();

    std::unique_ptr<QSettings> settings_;
};

} // namespace tallyra
