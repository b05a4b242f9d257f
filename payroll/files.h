// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/byte_stream.h"

#include <cstdio>
#include <string>

namespace tallyra::payroll {

// File names are UTF-8 on every system; on Windows they are widened for the system's calls.
std::FILE* OpenFile(const std::string& path, const char* mode);

class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    bool isOpen() const { return file_ != nullptr; }
    std::size_t read(char* buffer, std::size_t size) override;
    bool ok() const override { return file_ && !std::ferror(file_); }

private:
    std::FILE* file_;
};

// The output written to a new temporary file beside the target and renamed over it only once
// complete, so that a failed run leaves no file, or the old one exactly as it was.
class AtomicOutputFile : public ByteSink {
public:
    explicit AtomicOutputFile(std::string target);
    ~AtomicOutputFile() override; // abandons an uncommitted file
    bool isOpen() const { return file_ != nullptr; }
    const std::string& temporaryPath() const { return temporary_; }
    bool write(std::string_view bytes) override;
    bool commit();
    void abandon();

private:
    std::string target_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
};

} // namespace tallyra::payroll
