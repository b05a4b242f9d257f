// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/record_batch.h"

#include <cstring>

namespace tallyra::payroll {

// FNV-1a over the bytes, then mixed (the low bits pick a thread, the high ones a slot): short
// 工号 of a few characters that differ in their last digits spread evenly.
std::uint64_t EmployeeHash(std::string_view id)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : id)
        hash = (hash ^ c) * 0x100000001b3ull;
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    return hash;
}

void RecordBatch::clear()
{
    text_.clear();
    fieldEnds_.clear();
    entries_.clear();
}

void RecordBatch::add(const CsvRecord& record, std::uint64_t hash)
{
    Entry entry;
    entry.line = record.line;
    entry.lastLine = record.lastLine;
    entry.firstField = static_cast<std::uint32_t>(fieldEnds_.size());
    entry.fieldCount = static_cast<std::uint32_t>(record.fields.size());
    entry.hash = hash;
    entry.plain = record.plain;
    entries_.push_back(entry);
    if (record.fields.empty())
        return;
    // The reader keeps a record's fields one after the other, each followed by a comma.
    const char* begin = record.fields.front().data();
    const std::string_view last = record.fields.back();
    const std::size_t base = text_.size();
    text_.append(begin, static_cast<std::size_t>(last.data() + last.size() - begin));
    text_.push_back(',');
    for (std::string_view field : record.fields)
        fieldEnds_.push_back(
            static_cast<std::uint32_t>(base + (field.data() - begin) + field.size()));
}

void RecordBatch::read(std::size_t i, CsvRecord& record) const
{
    const Entry& entry = entries_[i];
    record.line = entry.line;
    record.lastLine = entry.lastLine;
    record.plain = entry.plain;
    record.fields.clear();
    std::size_t begin = entry.firstField == 0 ? 0 : fieldEnds_[entry.firstField - 1] + 1;
    for (std::uint32_t f = entry.firstField; f < entry.firstField + entry.fieldCount; ++f) {
        record.fields.emplace_back(text_.data() + begin, fieldEnds_[f] - begin);
        begin = fieldEnds_[f] + 1;
    }
}

} // namespace tallyra::payroll
