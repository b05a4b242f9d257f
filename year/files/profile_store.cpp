// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/files/profile_store.h"

#include "platform/settings_store.h"
#include "year/files/profile_codec.h"

#include <QCollator>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace tallyra::year {

namespace {

// A profile's key: its name as hexadecimal UTF-8, so that any name (with blanks, slashes or
// Chinese) is a plain key in every store.
const QString kProfilePrefix = QStringLiteral("Profile-");
const QString kLastUsed = QStringLiteral("LastUsed");
const QString kCurrent = QStringLiteral("Current");

QString KeyOf(const QString& name)
{
    return kProfilePrefix + QString::fromLatin1(name.toUtf8().toHex());
}

std::optional<QString> NameOf(const QString& key)
{
    if (!key.startsWith(kProfilePrefix))
        return std::nullopt;
    const QByteArray hex = key.mid(kProfilePrefix.size()).toLatin1();
    const QByteArray utf8 = QByteArray::fromHex(hex);
    if (utf8.toHex() != hex.toLower())
        return std::nullopt;
    const QString name = QString::fromUtf8(utf8);
    if (!ProfileNameProblem(name).isEmpty())
        return std::nullopt;
    return name;
}

} // namespace

QString ProfileNameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("请先填写方案名称");
    if (name.size() > 40)
        return QStringLiteral("方案名称最多 40 个字");
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
        return QStringLiteral("方案名称只能有一行");
    return {};
}

ProfileStore::ProfileStore(SettingsStore& store, int fallbackYear)
    : store_(store)
    , fallbackYear_(fallbackYear)
{
}

QStringList ProfileStore::names() const
{
    QStringList found;
    for (const QString& key : store_.keys(section()))
        if (const auto name = NameOf(key))
            found << *name;
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(found.begin(), found.end(),
              [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    return found;
}

std::optional<PlannerInputs> ProfileStore::read(const QString& key, QStringList* damaged) const
{
    const QString text = store_.read(section(), key, QString());
    if (text.isEmpty())
        return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    DecodedInputs decoded = DecodeInputs(doc.object(), fallbackYear_);
    if (damaged)
        *damaged = decoded.damaged;
    return decoded.inputs;
}

std::optional<PlannerInputs> ProfileStore::load(const QString& name, QStringList* damaged) const
{
    return read(KeyOf(name), damaged);
}

bool ProfileStore::save(const QString& name, const PlannerInputs& inputs)
{
    const QByteArray json = QJsonDocument(EncodeInputs(inputs)).toJson(QJsonDocument::Compact);
    return store_.save(section(), KeyOf(name), QString::fromUtf8(json));
}

bool ProfileStore::remove(const QString& name)
{
    return store_.remove(section(), KeyOf(name));
}

QString ProfileStore::lastUsed() const
{
    return store_.read(section(), kLastUsed, QString());
}

bool ProfileStore::setLastUsed(const QString& name)
{
    return store_.save(section(), kLastUsed, name);
}

std::optional<PlannerInputs> ProfileStore::current(QStringList* damaged) const
{
    return read(kCurrent, damaged);
}

bool ProfileStore::saveCurrent(const PlannerInputs& inputs)
{
    const QByteArray json = QJsonDocument(EncodeInputs(inputs)).toJson(QJsonDocument::Compact);
    return store_.save(section(), kCurrent, QString::fromUtf8(json));
}

} // namespace tallyra::year
