// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/atomic_output_file.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tallyra::payroll {

namespace {

constexpr int kNameAttempts = 100;

// A short name of our own beside the target, so that the last step stays on one file system
// and a target name as long as the system allows still leaves room for it.
std::string TemporaryName(const std::string& target, int attempt)
{
    static const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    char name[48];
    std::snprintf(name, sizeof name, "tallyra-%08llx-%d.tmp", stamp % 0xFFFFFFFFull, attempt);
    return FolderPrefixOf(target) + name;
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

// A new file that did not exist, opened for binary writing; null if the name is taken (errno
// EEXIST) or cannot be made. On Windows it may be deleted while open (by RemovedOnInterrupt).
std::FILE* CreateNewFile(const std::string& path, [[maybe_unused]] unsigned mode)
{
#ifdef _WIN32
    const HANDLE handle =
        CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = GetLastError() == ERROR_FILE_EXISTS ? EEXIST : EACCES;
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    return _fdopen(fd, "wb");
#else
    const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode);
    return fd < 0 ? nullptr : fdopen(fd, "wb");
#endif
}

} // namespace

AtomicOutputFile::AtomicOutputFile(std::string target, Temporary temporary)
    : target_(std::move(target))
{
#ifndef _WIN32
    struct stat status;
    if (stat(target_.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        existing_ =
            Existing{static_cast<unsigned>(status.st_mode & 07777),
                     static_cast<unsigned>(status.st_uid), static_cast<unsigned>(status.st_gid)};
#endif
    if (temporary == Temporary::UnnamedWherePossible)
        file_ = createUnnamed();
    if (!file_)
        file_ = createNamed();
#ifndef _WIN32
    if (file_)
        flush_.emplace(fileno(file_));
#endif
}

AtomicOutputFile::~AtomicOutputFile()
{
    abandon();
}

std::FILE* AtomicOutputFile::createUnnamed()
{
#ifdef O_TMPFILE
    const std::string prefix = FolderPrefixOf(target_);
    const unsigned mode = existing_ ? existing_->mode & 0600 : 0600;
    const int fd =
        open(prefix.empty() ? "." : prefix.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (!file && fd >= 0)
        close(fd);
    return file;
#else
    return nullptr;
#endif
}

std::FILE* AtomicOutputFile::createNamed()
{
    const unsigned mode = existing_ ? existing_->mode & 0600 : 0600;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = TemporaryName(target_, attempt);
        if (std::FILE* file = CreateNewFile(name, mode)) {
            temporary_ = name;
            removal_.emplace(temporary_);
            return file;
        }
        if (errno != EEXIST)
            break;
    }
    return nullptr;
}

bool AtomicOutputFile::write(std::string_view bytes)
{
    if (!file_ || std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        return false;
    if (flush_)
        flush_->wrote(bytes.size());
    return true;
}

// The replaced file's owner (where the system lets us give it) and mode, or a new file's.
bool AtomicOutputFile::takeOwnerAndMode()
{
#ifdef _WIN32
    return true;
#else
    const int fd = fileno(file_);
    if (existing_) {
        if (fchown(fd, existing_->owner, existing_->group) != 0) {
            // Not allowed (another user's file): the result is ours, as any file we write.
        }
        return fchmod(fd, existing_->mode) == 0;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return fchmod(fd, 0666 & ~mask) == 0;
#endif
}

// Gives the unnamed file a name (Linux): by its /proc entry, which needs no privilege.
bool AtomicOutputFile::linkUnnamedAs([[maybe_unused]] const std::string& name)
{
#ifdef _WIN32
    return false;
#else
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fileno(file_));
    if (linkat(AT_FDCWD, self, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    // Without /proc: the direct way, which needs CAP_DAC_READ_SEARCH.
    return errno == ENOENT && linkat(fileno(file_), "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
#endif
}

bool AtomicOutputFile::putInPlace()
{
    if (!temporary_.empty())
        return ReplaceFile(temporary_, target_);
    // A new target is linked in directly; an existing one replaced by a rename from a name
    // given for a moment only.
    if (!existing_ && linkUnnamedAs(target_))
        return true;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = TemporaryName(target_, attempt);
        if (linkUnnamedAs(name)) {
            temporary_ = name;
            removal_.emplace(temporary_);
            return ReplaceFile(temporary_, target_);
        }
        if (errno != EEXIST)
            break;
    }
    return false;
}

bool AtomicOutputFile::commit()
{
    if (!file_)
        return false;
    const bool flushedOnTheWay = !flush_ || flush_->finish();
    bool done = flushedOnTheWay && FlushToDisk(file_) && takeOwnerAndMode();
#ifdef _WIN32
    done = std::fclose(file_) == 0 && done; // Windows renames closed files only
    file_ = nullptr;
    done = done && putInPlace();
#else
    done = done && putInPlace();
    done = std::fclose(file_) == 0 && done;
    file_ = nullptr;
#endif
    if (done) {
        temporary_.clear();
        removal_.reset();
    }
    abandon(); // what is left after a failure
    return done;
}

void AtomicOutputFile::abandon()
{
    flush_.reset();
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        RemoveFile(temporary_);
        temporary_.clear();
    }
    removal_.reset();
}

} // namespace tallyra::payroll
