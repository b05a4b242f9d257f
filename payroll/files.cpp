// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/files.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tallyra::payroll {

namespace {

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
#endif

// A new file that did not exist, opened for binary writing; null if the name is taken.
std::FILE* CreateNewFile(const std::string& path)
{
#ifdef _WIN32
    const int fd = _wopen(Widen(path).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                          _S_IREAD | _S_IWRITE);
    return fd < 0 ? nullptr : _fdopen(fd, "wb");
#else
    const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    return fd < 0 ? nullptr : fdopen(fd, "wb");
#endif
}

bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool ReplaceFile(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void RemoveFile(const std::string& path)
{
#ifdef _WIN32
    DeleteFileW(Widen(path).c_str());
#else
    unlink(path.c_str());
#endif
}

} // namespace

std::FILE* OpenFile(const std::string& path, const char* mode)
{
#ifdef _WIN32
    return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

FileSource::FileSource(const std::string& path)
    : file_(OpenFile(path, "rb"))
{
}

FileSource::~FileSource()
{
    if (file_)
        std::fclose(file_);
}

std::size_t FileSource::read(char* buffer, std::size_t size)
{
    return file_ ? std::fread(buffer, 1, size, file_) : 0;
}

AtomicOutputFile::AtomicOutputFile(std::string target)
    : target_(std::move(target))
{
    // A name of our own beside the target, so the final rename stays on one file system.
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        temporary_ =
            target_ + ".tmp-" + std::to_string(stamp % 1000000007) + "-" + std::to_string(attempt);
        file_ = CreateNewFile(temporary_);
        if (!file_ && errno != EEXIST)
            break;
    }
    if (!file_)
        temporary_.clear();
}

AtomicOutputFile::~AtomicOutputFile()
{
    abandon();
}

bool AtomicOutputFile::write(std::string_view bytes)
{
    return file_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool AtomicOutputFile::commit()
{
    if (!file_)
        return false;
    const bool flushed = FlushToDisk(file_);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (flushed && closed && ReplaceFile(temporary_, target_)) {
        temporary_.clear();
        return true;
    }
    RemoveFile(temporary_);
    temporary_.clear();
    return false;
}

void AtomicOutputFile::abandon()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        RemoveFile(temporary_);
        temporary_.clear();
    }
}

} // namespace tallyra::payroll
