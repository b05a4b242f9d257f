// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/files.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tallyra::payroll {

#ifdef _WIN32

std::wstring Widen(const std::string& text)
{
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

namespace {

std::optional<FileIdentity> IdentityOf(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &information))
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) |
                            information.nFileIndexLow};
}

// A handle that reads nothing, only asks about the file (a folder too).
HANDLE OpenForQuestions(const std::string& path)
{
    return CreateFileW(Widen(path).c_str(), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
}

std::optional<FileIdentity> IdentityOf(std::FILE* file)
{
    return IdentityOf(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))));
}

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    const HANDLE handle = OpenForQuestions(path);
    const auto identity = IdentityOf(handle);
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    return identity;
}

FileKind KindOf(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FileKind::Directory;
    const HANDLE handle = OpenForQuestions(path); // NUL and CON have no attributes
    if (handle == INVALID_HANDLE_VALUE)
        return attributes == INVALID_FILE_ATTRIBUTES ? FileKind::Missing : FileKind::Regular;
    const DWORD type = GetFileType(handle);
    CloseHandle(handle);
    return type == FILE_TYPE_DISK ? FileKind::Regular : FileKind::Other;
}

// A link on Windows is replaced as a file is (creating one needs a privilege there).
bool IsSymbolicLink(const std::string&)
{
    return false;
}

std::optional<std::string> ResolvedPath(const std::string& path)
{
    return path;
}

#else

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

std::optional<FileIdentity> IdentityOf(std::FILE* file)
{
    struct stat status;
    if (fstat(fileno(file), &status) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<unsigned long long>(status.st_dev),
                        static_cast<unsigned long long>(status.st_ino)};
}

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<unsigned long long>(status.st_dev),
                        static_cast<unsigned long long>(status.st_ino)};
}

FileKind KindOf(const std::string& path)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return FileKind::Missing;
    return S_ISREG(status.st_mode)   ? FileKind::Regular
           : S_ISDIR(status.st_mode) ? FileKind::Directory
                                     : FileKind::Other;
}

bool IsSymbolicLink(const std::string& path)
{
    struct stat status;
    return lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

std::optional<std::string> ResolvedPath(const std::string& path)
{
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return std::nullopt;
    std::string text(resolved);
    std::free(resolved);
    return text;
}

#endif

std::string FolderPrefixOf(const std::string& path)
{
#ifdef _WIN32
    const std::size_t separator = path.find_last_of("/\\:");
#else
    const std::size_t separator = path.rfind('/');
#endif
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

FileSource::FileSource(const std::string& path)
    : file_(path == kStandardStream ? stdin : OpenFile(path, "rb"))
    , owned_(path != kStandardStream)
{
#ifdef _WIN32
    if (!owned_)
        _setmode(_fileno(stdin), _O_BINARY); // no CRLF translation, no end at Ctrl+Z
#endif
}

FileSource::~FileSource()
{
    if (file_ && owned_)
        std::fclose(file_);
}

std::size_t FileSource::read(char* buffer, std::size_t size)
{
    return file_ ? std::fread(buffer, 1, size, file_) : 0;
}

std::optional<FileIdentity> FileSource::identity() const
{
    return file_ ? IdentityOf(file_) : std::nullopt;
}

} // namespace tallyra::payroll
