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

namespace {

bool ComesBefore(const QString& a, const QString& b)
{
    static const QCollator collator = [] {
        QCollator c;
        c.setNumericMode(true);
        return c;
    }();
    return collator.compare(a, b) < 0;
}

bool ReadsAsJsonObject(const QString& text)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    return error.error == QJsonParseError::NoError && doc.isObject();
}

} // namespace

void ProfileStore::scanNames() const
{
    QStringList found;
    unreadable_ = 0;
    for (const QString& key : store_.keys(section())) {
        if (!key.startsWith(kProfilePrefix))
            continue;
        // A damaged text stays listed under its name (choosing it says it cannot be read).
        const auto name = NameOf(key);
        if (name)
            found << *name;
        if (!name || !ReadsAsJsonObject(store_.read(section(), key, QString())))
            ++unreadable_;
    }
    std::sort(found.begin(), found.end(), ComesBefore);
    names_ = std::move(found);
}

const QStringList& ProfileStore::names() const
{
    if (!names_)
        scanNames();
    return *names_;
}

bool ProfileStore::contains(const QString& name) const
{
    const QStringList& all = names();
    const auto at = std::lower_bound(all.begin(), all.end(), name, ComesBefore);
    // The collator may hold two different texts equal; look at each of them.
    for (auto it = at; it != all.end() && !ComesBefore(name, *it); ++it)
        if (*it == name)
            return true;
    return false;
}

int ProfileStore::unreadableCount() const
{
    if (!names_)
        scanNames();
    return unreadable_;
}

void ProfileStore::insertName(const QString& name)
{
    if (!names_ || contains(name))
        return;
    names_->insert(std::upper_bound(names_->begin(), names_->end(), name, ComesBefore), name);
}

bool ProfileStore::write(const QString& key, const QString& text)
{
    // A fallback that differs from `text`, so that a missing entry is written.
    const QString missing = text.isEmpty() ? QStringLiteral("-") : QString();
    if (store_.read(section(), key, missing) == text)
        return true;
    return store_.save(section(), key, text);
}

std::optional<PlannerInputs> ProfileStore::read(const QString& key, QStringList* damaged,
                                                bool* unreadable) const
{
    const QString text = store_.read(section(), key, QString());
    if (unreadable)
        *unreadable = false;
    if (text.isEmpty())
        return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        if (unreadable)
            *unreadable = true;
        return std::nullopt;
    }
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
    if (!write(KeyOf(name), QString::fromUtf8(json)))
        return false;
    insertName(name);
    return true;
}

bool ProfileStore::remove(const QString& name)
{
    if (!store_.remove(section(), KeyOf(name)))
        return false;
    if (names_)
        names_->removeAll(name);
    return true;
}

QString ProfileStore::lastUsed() const
{
    return store_.read(section(), kLastUsed, QString());
}

bool ProfileStore::setLastUsed(const QString& name)
{
    return write(kLastUsed, name);
}

std::optional<PlannerInputs> ProfileStore::current(QStringList* damaged, bool* unreadable) const
{
    return read(kCurrent, damaged, unreadable);
}

bool ProfileStore::saveCurrent(const PlannerInputs& inputs)
{
    const QByteArray json = QJsonDocument(EncodeInputs(inputs)).toJson(QJsonDocument::Compact);
    return write(kCurrent, QString::fromUtf8(json));
}

} // namespace tallyra::year
