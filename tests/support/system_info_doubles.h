// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/file_test.h"
#include "platform/registry.h"

#include <QMap>
#include <QStringList>

namespace tallyra::test {

// A registry holding only the values a test puts in, recording every lookup as
// "ROOT:key path:value name" with the root in hexadecimal.
class ScriptedRegistry final : public RegistryReader {
public:
    std::optional<RegistryValue> query(quint32 root, const QString& keyPath,
                                       const QString& valueName) override
    {
        const QString where = place(root, keyPath, valueName);
        queries.append(where);
        const auto found = values.constFind(where);
        if (found == values.constEnd())
            return std::nullopt;
        return *found;
    }

    void set(quint32 root, const QString& keyPath, const QString& valueName, RegistryValue value)
    {
        values.insert(place(root, keyPath, valueName), value);
    }

    static QString place(quint32 root, const QString& keyPath, const QString& valueName)
    {
        return QString::number(root, 16).toUpper() + QLatin1Char(':') + keyPath + QLatin1Char(':') +
               valueName;
    }

    // Values as Windows returns them: strings in UTF-16 little-endian, usually with their
    // terminating zero; numbers in four little-endian bytes.
    static QByteArray utf16Bytes(const QString& text, bool terminated)
    {
        QByteArray bytes;
        for (QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
        if (terminated)
            bytes.append(2, '\0');
        return bytes;
    }
    static RegistryValue string(const QString& text, bool terminated = true)
    {
        return {kRegSz, utf16Bytes(text, terminated)};
    }
    static RegistryValue dword(quint32 number)
    {
        QByteArray bytes;
        for (int i = 0; i < 4; ++i)
            bytes.append(char((number >> (8 * i)) & 0xFF));
        return {kRegDword, bytes};
    }

    QMap<QString, RegistryValue> values;
    QStringList queries;
};

// A file system in which exactly the listed paths are plain files; records every test.
class ScriptedFileTest final : public FileTest {
public:
    bool isPlainFile(const QString& path) override
    {
        asked.append(path);
        return plainFiles.contains(path);
    }

    QStringList plainFiles;
    QStringList asked;
};

} // namespace tallyra::test
