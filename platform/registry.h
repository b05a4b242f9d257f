// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace tallyra {

// Root keys and value types, by their values in the Windows registry.
constexpr quint32 kHkeyLocalMachine = 0x80000002;
constexpr quint32 kRegSz = 1;    // a string
constexpr quint32 kRegDword = 4; // a 32-bit number, little-endian

// A value is read into a buffer of this size; a value whose data is longer counts as not found.
constexpr qsizetype kRegistryBufferBytes = 1024;

// One value as the registry returned it: its type and its data bytes, a string's terminating
// zero included when it was stored with one. Strings are UTF-16, little-endian.
struct RegistryValue {
    quint32 type = 0;
    QByteArray data;
};

// Reading the machine's registry, never writing it.
class RegistryReader {
public:
    virtual ~RegistryReader() = default;

    // The value `valueName` of the key `keyPath` under the root key `root`; nothing when the
    // key or the value is missing, cannot be read, or holds more than kRegistryBufferBytes.
    virtual std::optional<RegistryValue> query(quint32 root, const QString& keyPath,
                                               const QString& valueName) = 0;
};

// The registry of this machine; off Windows there is none, and every value is missing.
class SystemRegistry final : public RegistryReader {
public:
    std::optional<RegistryValue> query(quint32 root, const QString& keyPath,
                                       const QString& valueName) override;
};

// A value's data as text: UTF-16 code units, a terminating zero unit dropped when the data
// ends with one (a string stored with or without it reads the same).
QString RegistryText(const QByteArray& data);

// A value's data as a 32-bit number: its first four bytes, little-endian (missing bytes count
// as zero).
quint32 RegistryDword(const QByteArray& data);

} // namespace tallyra
