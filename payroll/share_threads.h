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

// A batch of records on its way through the shares, and what each share made of it.
struct BatchWork {
    RecordBatch records;
    std::vector<std::string> rows;                   // each share's rows, in input order
    std::vector<std::vector<std::size_t>> rowEnds;   // where each of its records' rows ends
    std::vector<std::optional<PayrollError>> errors; // each share's first refusal
    std::exception_ptr failure;                      // what no refusal explains
    long failureLine = 0;                            // the line it came from
    std::size_t done = 0;                            // how many shares are through
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
