// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings_store.h"

#include "platform/app_identity.h"

#include <QLockFile>
#include <QSettings>

namespace tallyra {
namespace {

QString EntryKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

// An INI file (the native store on Linux, or a file given by path), not the registry.
bool KeptInAFile(const QSettings& settings)
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return settings.format() == QSettings::IniFormat;
#else
    Q_UNUSED(settings);
    return true;
#endif
}

// QSettings locks its file while it writes and waits for a lock another program holds; Qt takes
// a second lock (".rmlock") while it clears a lock whose owner has gone. A program killed between
// creating either of them and writing its owner into it leaves an empty lock file, which QSettings
// would wait on until it is 30 seconds old, the window frozen meanwhile. A write holds these locks
// for milliseconds, so one two seconds old is a leftover and goes.
void ClearLeftoverLocks(const QString& file)
{
    for (const QString& name :
         {file + QStringLiteral(".lock.rmlock"), file + QStringLiteral(".lock")}) {
        QLockFile lock(name);
        lock.setStaleLockTime(2000);
        if (lock.tryLock(3000))
            lock.unlock();
    }
}

} // namespace

#ifdef Q_OS_WIN
// The key HKEY_CURRENT_USER\Software\Tallyra itself, sections as its subkeys. (Named by
// organization alone, QSettings would keep everything under a further subkey
// "OrganizationDefaults".)
QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") +
                                                AppIdentity::title(),
                                            QSettings::NativeFormat))
{
}
#else
QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            AppIdentity::title()))
{
}
#endif

QtSettingsStore::QtSettingsStore(const QString& iniFilePath)
    : settings_(std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat))
{
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::read(const QString& section, const QString& key, const QString& fallback)
{
    const QVariant value = settings_->value(EntryKey(section, key));
    // A hand-edited entry may read back as a list (unquoted commas): that is no stored text.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return fallback;
    return value.toString();
}

bool QtSettingsStore::save(const QString& section, const QString& key, const QString& text)
{
    if (KeptInAFile(*settings_))
        ClearLeftoverLocks(settings_->fileName());
    settings_->setValue(EntryKey(section, key), text);
    return writeThrough();
}

QStringList QtSettingsStore::keys(const QString& section)
{
    settings_->beginGroup(section);
    const QStringList found = settings_->childKeys();
    settings_->endGroup();
    return found;
}

bool QtSettingsStore::remove(const QString& section, const QString& key)
{
    if (KeptInAFile(*settings_))
        ClearLeftoverLocks(settings_->fileName());
    settings_->remove(EntryKey(section, key));
    return writeThrough();
}

bool QtSettingsStore::writeThrough()
{
    // Write through now (QSettings replaces the file as a whole), so that a failure is
    // reported to the user while the save command is still on screen.
    settings_->sync();
    if (settings_->status() == QSettings::NoError)
        return true;
    if (!KeptInAFile(*settings_))
        return false;
    // QSettings keeps the first problem it met for the object's whole life: a damaged file read
    // at start-up, or a write that failed earlier and has since become possible, would mark this
    // save as failed too. A fresh object on the same file tells what holds now: it reads nothing
    // that is unchanged, and it retries a write still pending.
    const QSettings now(settings_->fileName(), settings_->format());
    return now.status() == QSettings::NoError;
}

} // namespace tallyra
