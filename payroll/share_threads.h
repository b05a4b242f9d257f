// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/payroll_share.h"
#include "payroll/record_batch.h"

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tallyra::payroll {

// What one share made of a batch. Each on cache lines of its own: a share's thread writes to its
// rows at every row, and two of them side by side would have each thread's writes take the line
// from the other (the threads then cost twice the CPU of one).
struct alignas(64) ShareWork {
    std::string rows;                  // the share's rows, in input order
    std::vector<std::size_t> rowEnds;  // where each of its records' rows ends
    std::optional<PayrollError> error; // its first refusal
};

// A batch of records on its way through the shares, and what each share made of it; on cache
// lines of its own too, since the reading thread fills the next batch while the shares read
// this one.
struct alignas(64) BatchWork {
    RecordBatch records;
    std::vector<ShareWork> shares;
    std::exception_ptr failure; // what no refusal explains
    long failureLine = 0;       // the line it came from
    std::size_t done = 0;       // how many shares are through
};

// Withholds every batch with every share: on the calling thread for a single share, otherwise
// one thread per share, each taking the batches in the order they were handed on. A share's
// rows of one employee thus stay in order, while the caller reads the next batch and writes
// the last one.
class ShareThreads {
public:
    explicit ShareThreads(std::vector<std::unique_ptr<PayrollShare>>& shares);
    ~ShareThreads(); // stops the threads after the batch each is on
    ShareThreads(const ShareThreads&) = delete;
    ShareThreads& operator=(const ShareThreads&) = delete;

    void start(BatchWork& work);  // hands on the next batch
    void finish(BatchWork& work); // returns once every share has done the batch

private:
    void run(std::size_t index, BatchWork& work);
    void serve(std::size_t index);

    std::vector<std::unique_ptr<PayrollShare>>& shares_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable handedOn_;
    std::condition_variable done_;
    std::vector<BatchWork*> batches_; // every batch handed on, in order
    bool stopping_ = false;
};

} // namespace tallyra::payroll
