// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tallyra {

// Whether a plain file exists, so that tests can say which files exist.
class FileTest {
public:
    virtual ~FileTest() = default;

    // A regular file at `path`: not a folder, not hidden and, on Windows, not a system file.
    virtual bool isPlainFile(const QString& path) = 0;
};

// The file system of this machine.
class QtFileTest final : public FileTest {
public:
    bool isPlainFile(const QString& path) override;
};

} // namespace tallyra
