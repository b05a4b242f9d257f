// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/background_flush.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tallyra::payroll {

namespace {

bool FlushDescriptor(int descriptor)
{
#ifdef _WIN32
    return _commit(descriptor) == 0;
#else
    return fdatasync(descriptor) == 0;
#endif
}

} // namespace

BackgroundFlush::BackgroundFlush(int descriptor, std::size_t interval)
    : descriptor_(descriptor)
    , interval_(interval)
    , thread_([this] { run(); })
{
}

BackgroundFlush::~BackgroundFlush()
{
    finish();
}

void BackgroundFlush::wrote(std::size_t bytes)
{
    bool due = false;
    {
        std::lock_guard lock(mutex_);
        unflushed_ += bytes;
        due = unflushed_ >= interval_;
    }
    if (due)
        due_.notify_one();
}

bool BackgroundFlush::finish()
{
    {
        std::lock_guard lock(mutex_);
        finishing_ = true;
    }
    due_.notify_one();
    if (thread_.joinable())
        thread_.join();
    std::lock_guard lock(mutex_);
    return !failed_;
}

void BackgroundFlush::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        due_.wait(lock, [&] { return finishing_ || unflushed_ >= interval_; });
        // A flush already due is done even when finishing: its result is the file's.
        if (unflushed_ < interval_)
            return;
        unflushed_ = 0;
        lock.unlock();
        const bool flushed = FlushDescriptor(descriptor_);
        lock.lock();
        if (!flushed) {
            failed_ = true;
            return;
        }
    }
}

} // namespace tallyra::payroll
