// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tallyra::payroll {

// While it lives, a named temporary file is removed when the process is stopped by a signal it
// can catch (POSIX: SIGHUP, SIGINT, SIGTERM and the others whose default ends a process) or by
// a console event (Windows: Ctrl+C, Ctrl+Break, the console closed); the process then ends as
// it would have. One file at a time. SIGKILL cannot be caught: where the system allows, the
// output is written to an unnamed file instead (see AtomicOutputFile).
class RemovedOnInterrupt {
public:
    explicit RemovedOnInterrupt(const std::string& path);
    ~RemovedOnInterrupt();
    RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
    RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;
};

} // namespace tallyra::payroll
