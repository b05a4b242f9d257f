// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"

#include "platform/windows_api.h"

#include <string>

namespace tallyra {

#ifdef Q_OS_WIN
namespace {

// Predefined root keys are 32-bit values sign-extended to a handle (HKEY_LOCAL_MACHINE is
// 0xFFFFFFFF80000002 in a 64-bit process).
HKEY RootHandle(quint32 root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

} // namespace

std::optional<RegistryValue> SystemRegistry::query(quint32 root, const QString& keyPath,
                                                   const QString& valueName)
{
    // Read access only: asking for write access as well (0x2003F) is refused under
    // HKEY_LOCAL_MACHINE for users without administrator rights, and the value would then look
    // missing.
    HKEY key = nullptr;
    const std::wstring path = keyPath.toStdWString();
    if (RegOpenKeyExW(RootHandle(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;

    QByteArray buffer(kRegistryBufferBytes, '\0');
    DWORD type = 0;
    DWORD length = static_cast<DWORD>(buffer.size());
    const std::wstring name = valueName.toStdWString();
    const LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                         reinterpret_cast<LPBYTE>(buffer.data()), &length);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) // ERROR_MORE_DATA too: longer than the buffer
        return std::nullopt;
    buffer.truncate(static_cast<qsizetype>(length));
    return RegistryValue{static_cast<quint32>(type), buffer};
}
#else
std::optional<RegistryValue> SystemRegistry::query(quint32, const QString&, const QString&)
{
    return std::nullopt;
}
#endif

QString RegistryText(const QByteArray& data)
{
    QString text;
    const qsizetype units = data.size() / 2; // an odd last byte is no whole unit
    text.reserve(units);
    for (qsizetype i = 0; i < units; ++i) {
        const auto low = static_cast<unsigned char>(data[2 * i]);
        const auto high = static_cast<unsigned char>(data[2 * i + 1]);
        text.append(QChar(char16_t(low | (high << 8))));
    }
    if (!text.isEmpty() && text.back() == QChar(u'\0'))
        text.chop(1);
    return text;
}

quint32 RegistryDword(const QByteArray& data)
{
    quint32 value = 0;
    for (qsizetype i = 0; i < 4 && i < data.size(); ++i)
        value |= quint32(static_cast<unsigned char>(data[i])) << (8 * i);
    return value;
}

} // namespace tallyra
