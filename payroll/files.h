// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/byte_stream.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace tallyra::payroll {

// The name by which the command line means standard input or standard output.
inline constexpr std::string_view kStandardStream = "-";

// File names are UTF-8 on every system; on Windows they are widened for the system's calls.
std::FILE* OpenFile(const std::string& path, const char* mode);
#ifdef _WIN32
std::wstring Widen(const std::string& text);
#endif

// A file as the system knows it, whatever name reached it (a link, "..", a hard link).
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long file = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(std::FILE* file);
std::optional<FileIdentity> IdentityOf(const std::string& path); // through links

// What a name leads to, through links. Other: a device, a FIFO, a socket.
enum class FileKind { Missing, Regular, Directory, Other };
FileKind KindOf(const std::string& path);
bool IsSymbolicLink(const std::string& path);
// The file a name leads to, links resolved; nullopt when there is none.
std::optional<std::string> ResolvedPath(const std::string& path);
// A file name up to its last separator ("folder/"), to name another file beside it; "" for a
// bare name.
std::string FolderPrefixOf(const std::string& path);

// The input: a file by its name, or standard input for "-".
class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    bool isOpen() const { return file_ != nullptr; }
    std::size_t read(char* buffer, std::size_t size) override;
    bool ok() const override { return file_ && !std::ferror(file_); }
    std::optional<FileIdentity> identity() const;

private:
    std::FILE* file_;
    bool owned_;
};

} // namespace tallyra::payroll
