// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/output_file.h"

#include "payroll/atomic_output_file.h"

#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tallyra::payroll {

namespace {

// A device, a pipe or standard output, written as it is.
class DirectOutput : public OutputFile {
public:
    DirectOutput(std::FILE* file, bool owned)
        : file_(file)
        , owned_(owned)
    {
    }
    ~DirectOutput() override { close(); }
    bool write(std::string_view bytes) override
    {
        return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    }
    bool commit() override { return close(); }
    void abandon() override { close(); }

private:
    bool close()
    {
        if (!file_)
            return true;
        bool ok = std::fflush(file_) == 0;
        if (owned_)
            ok = std::fclose(file_) == 0 && ok;
        file_ = nullptr;
        return ok;
    }
    std::FILE* file_;
    bool owned_;
};

std::FILE* StandardOutput()
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY); // CRLF as written, not CRCRLF
#endif
    return stdout;
}

// Opened for writing without creating or emptying anything: it exists and is no regular file.
std::FILE* OpenExisting(const std::string& path)
{
#ifdef _WIN32
    return OpenFile(path, "wb");
#else
    const int fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (!file && fd >= 0)
        ::close(fd);
    return file;
#endif
}

OpenedOutput Refused(OutputProblem problem)
{
    OpenedOutput opened;
    opened.problem = problem;
    return opened;
}

} // namespace

OpenedOutput OpenOutput(const std::string& path, const std::optional<FileIdentity>& input)
{
    OpenedOutput opened;
    // "-", or the file standard output already is (/dev/stdout, /proc/self/fd/1, its name):
    // written through standard output itself, where the shell put it (">>" appends).
    const auto identity = path == kStandardStream ? std::nullopt : IdentityOf(path);
    if (path == kStandardStream || (identity && identity == IdentityOf(stdout))) {
        opened.file = std::make_unique<DirectOutput>(StandardOutput(), false);
        opened.standardOutput = true;
        return opened;
    }
    const FileKind kind = KindOf(path);
    if (kind == FileKind::Directory)
        return Refused(OutputProblem::IsDirectory);
    if (kind == FileKind::Other) {
        std::FILE* file = OpenExisting(path);
        if (!file)
            return Refused(OutputProblem::CannotOpen);
        opened.file = std::make_unique<DirectOutput>(file, true);
        return opened;
    }
    // A link to a regular file: the file is replaced, the link stays.
    const std::string target = kind == FileKind::Regular && IsSymbolicLink(path)
                                   ? ResolvedPath(path).value_or(path)
                                   : path;
    if (kind == FileKind::Regular && input && IdentityOf(target) == input)
        return Refused(OutputProblem::SameAsInput);
    auto file = std::make_unique<AtomicOutputFile>(target);
    if (!file->isOpen())
        return Refused(OutputProblem::CannotCreate);
    opened.file = std::move(file);
    return opened;
}

} // namespace tallyra::payroll
