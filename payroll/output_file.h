// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/byte_stream.h"
#include "payroll/files.h"

#include <memory>
#include <optional>
#include <string>

namespace tallyra::payroll {

// Where the figures are written, finished or abandoned as a whole when the run ends.
class OutputFile : public ByteSink {
public:
    // Completes the output; false when it could not be.
    virtual bool commit() = 0;
    // After a refusal: leaves the output as it was, where that can be done.
    virtual void abandon() = 0;
};

enum class OutputProblem {
    None,
    SameAsInput,  // would replace the input with its own result
    IsDirectory,  // a folder by the output's name
    CannotCreate, // no temporary file beside the output
    CannotOpen,   // a device or pipe that could not be opened for writing
};

struct OpenedOutput {
    std::unique_ptr<OutputFile> file; // null on a problem
    OutputProblem problem = OutputProblem::None;
    bool standardOutput = false; // the figures go to standard output, the summary may not
};

// The output named on the command line. A regular file (or a new one) is replaced whole once
// complete (AtomicOutputFile), through a link at the file it leads to. "-", or a name of the
// file standard output is (/dev/stdout), is standard output; a name that leads to something
// else than a regular file (a device, a FIFO) is written into as it is: no temporary file,
// nothing renamed over it, and what was written before a refusal stays.
OpenedOutput OpenOutput(const std::string& path, const std::optional<FileIdentity>& input);

} // namespace tallyra::payroll
