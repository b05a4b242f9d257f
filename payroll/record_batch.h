// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/csv_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tallyra::payroll {

// A hash of an employee's 工号, by which the rows are shared out and the employees found.
std::uint64_t EmployeeHash(std::string_view id);

// Records read one after the other, kept together so that they can be handed on as a block and
// read back (by another thread) while the next block is read.
class RecordBatch {
public:
    struct Entry {
        long line = 0;
        long lastLine = 0;
        std::uint32_t firstField = 0; // in fieldEnds_
        std::uint32_t fieldCount = 0;
        std::uint64_t hash = 0; // EmployeeHash of the record's 工号 cell, trimmed
        bool plain = false;
    };

    void clear();
    void add(const CsvRecord& record, std::uint64_t hash);
    std::size_t size() const { return entries_.size(); }
    std::size_t bytes() const { return text_.size(); }
    const Entry& entry(std::size_t i) const { return entries_[i]; }
    // The record as CsvReader read it; its fields live as long as the batch is unchanged.
    void read(std::size_t i, CsvRecord& record) const;

private:
    std::string text_;                     // each record's fields, each followed by a comma
    std::vector<std::uint32_t> fieldEnds_; // where each field ends in text_
    std::vector<Entry> entries_;
};

} // namespace tallyra::payroll
