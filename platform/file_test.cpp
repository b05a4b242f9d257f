// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_test.h"

#include <QFileInfo>

#include "platform/windows_api.h"

#include <string>

namespace tallyra {
namespace {

bool IsSystemFile([[maybe_unused]] const QString& path)
{
#ifdef Q_OS_WIN
    const std::wstring native = path.toStdWString();
    const DWORD attributes = GetFileAttributesW(native.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_SYSTEM);
#else
    return false;
#endif
}

} // namespace

bool QtFileTest::isPlainFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.isHidden() && !IsSystemFile(path);
}

} // namespace tallyra
