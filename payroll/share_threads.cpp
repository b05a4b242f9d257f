// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/share_threads.h"

namespace tallyra::payroll {

ShareThreads::ShareThreads(std::vector<std::unique_ptr<PayrollShare>>& shares)
    : shares_(shares)
{
    if (shares_.size() > 1)
        for (std::size_t i = 0; i < shares_.size(); ++i)
            threads_.emplace_back([this, i] { serve(i); });
}

ShareThreads::~ShareThreads()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    handedOn_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void ShareThreads::run(std::size_t index, BatchWork& work)
{
    ShareWork& share = work.shares[index];
    share.rows.clear();
    share.rowEnds.clear();
    try {
        share.error = shares_[index]->withhold(work.records, share.rows, share.rowEnds);
    } catch (...) {
        std::lock_guard lock(mutex_);
        const long line = shares_[index]->lineBeingRead();
        if (!work.failure || line < work.failureLine) {
            work.failure = std::current_exception();
            work.failureLine = line;
        }
    }
}

void ShareThreads::start(BatchWork& work)
{
    const std::size_t count = shares_.size();
    work.shares.resize(count);
    for (ShareWork& share : work.shares)
        share.error.reset();
    work.failure = nullptr;
    work.done = 0;
    if (threads_.empty())
        return;
    {
        std::lock_guard lock(mutex_);
        batches_.push_back(&work);
    }
    handedOn_.notify_all();
}

void ShareThreads::finish(BatchWork& work)
{
    if (threads_.empty()) {
        run(0, work);
        return;
    }
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return work.done == shares_.size(); });
}

void ShareThreads::serve(std::size_t index)
{
    for (std::size_t next = 0;; ++next) {
        BatchWork* work = nullptr;
        {
            std::unique_lock lock(mutex_);
            handedOn_.wait(lock, [&] { return stopping_ || batches_.size() > next; });
            if (stopping_)
                return;
            work = batches_[next];
        }
        run(index, *work);
        {
            std::lock_guard lock(mutex_);
            ++work->done;
        }
        done_.notify_all();
    }
}

} // namespace tallyra::payroll
