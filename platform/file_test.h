#pragma once

#include <QString>

namespace tallyra {

// Whether a plain file exists at `path`: a regular file, not a folder, not hidden and, on
// Windows, not a system file.
bool IsPlainFile(const QString& path);

// The same test behind an interface, so that tests can say which files exist.
class FileTest {
public:
    virtual ~FileTest() = default;
    virtual bool isPlainFile(const QString& path) = 0;
};

class QtFileTest final : public FileTest {
public:
    bool isPlainFile(const QString& path) override { return IsPlainFile(path); }
};

} // namespace tallyra
