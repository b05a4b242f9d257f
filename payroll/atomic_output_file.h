// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/background_flush.h"
#include "payroll/interrupt_cleanup.h"
#include "payroll/output_file.h"

#include <cstdio>
#include <optional>
#include <string>

namespace tallyra::payroll {

// The output written to a new temporary file in the target's folder and put in its place only
// once complete, so that a failed run leaves no file, or the old one exactly as it was.
// - On Linux the temporary file has no name (O_TMPFILE): nothing is left even after SIGKILL;
//   it is linked in at the end. Elsewhere, or where the file system cannot, it has a short name
//   of its own (tallyra-….tmp, whatever the length of the target's), removed on a signal.
// - Only its owner may read it while it is written (0600, or narrower when the file it replaces
//   is); complete, it takes the replaced file's mode and, where the system allows, its owner,
//   or the usual mode of a new file (0666 less the umask).
// - Outside Windows it is flushed to the disk while it is written (BackgroundFlush), and once
//   more when complete; a flush that failed on the way fails the commit. (Windows' C runtime
//   would hold the writer while another thread flushes the same file.)
class AtomicOutputFile : public OutputFile {
public:
    enum class Temporary { UnnamedWherePossible, Named };
    explicit AtomicOutputFile(std::string target,
                              Temporary temporary = Temporary::UnnamedWherePossible);
    ~AtomicOutputFile() override; // abandons an uncommitted file
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;
    bool isOpen() const { return file_ != nullptr; }
    const std::string& temporaryPath() const { return temporary_; } // "" while it has no name
    bool write(std::string_view bytes) override;
    bool commit() override;
    void abandon() override;

private:
    std::FILE* createUnnamed();
    std::FILE* createNamed();
    bool takeOwnerAndMode();
    bool putInPlace();
    bool linkUnnamedAs(const std::string& name);

    struct Existing {
        unsigned mode;
        unsigned owner;
        unsigned group;
    };
    std::string target_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    std::optional<BackgroundFlush> flush_; // stopped before the file is closed
    std::optional<Existing> existing_;     // the file it replaces, where permissions exist
    std::optional<RemovedOnInterrupt> removal_;
};

} // namespace tallyra::payroll
