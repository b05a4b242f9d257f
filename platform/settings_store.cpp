#include "platform/settings_store.h"

#include "platform/app_identity.h"

#include <QSettings>

namespace tallyra {
namespace {

QString entry(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            AppIdentity::title()))
{
}

QtSettingsStore::QtSettingsStore(const QString& iniFilePath)
    : settings_(std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat))
{
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::read(const QString& section, const QString& key, const QString& fallback)
{
    const QVariant value = settings_->value(entry(section, key));
    // A hand-edited entry may read back as a list (unquoted commas): that is no stored text.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return fallback;
    return value.toString();
}

bool QtSettingsStore::save(const QString& section, const QString& key, const QString& text)
{
    settings_->setValue(entry(section, key), text);
    // Write through now (QSettings replaces the file as a whole), so that a failure is
    // reported to the user while the save command is still on screen.
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

} // namespace tallyra
