// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/employee_table.h"
#include "payroll/payroll_columns.h"
#include "payroll/payroll_line.h"
#include "payroll/payroll_output.h"
#include "payroll/record_batch.h"
#include "payroll/withhold_job.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tallyra::payroll {

// One employee's current year at this employer.
struct EmployeeYear {
    law::CumulativeWithholding withholding;
    long lastLine;
    bool lastWasBonus = false; // the last line was a bonus taxed with its month's wage
};

// A bonus taxed on its own: the year, and the line it was on.
struct SeparateBonus {
    int year = 0;
    long line = 0;
};

// What the file has said of one employee so far.
struct EmployeeState {
    std::optional<EmployeeYear> year; // none before the first wage line
    std::vector<SeparateBonus> separateBonuses;
};

// The employees of one share of a payroll file (those whose EmployeeHash leaves `share` when
// divided by the number of shares) and their rows. Every figure of a row depends on the
// employee's earlier rows only, so shares can be withheld apart, each by its own thread (and on
// cache lines of its own, which that thread writes to at every row).
class alignas(64) PayrollShare {
public:
    PayrollShare(const PayrollColumns& columns, const PayrollWriter& writer, unsigned share,
                 unsigned shares);

    bool owns(const RecordBatch::Entry& record) const { return record.hash % shares_ == share_; }
    // Withholds this share's records of the batch in order, appending each one's row to `out`
    // and the size of `out` after it to `rowEnds` (a blank record writes nothing). Stops at the
    // first record refused.
    std::optional<PayrollError> withhold(const RecordBatch& batch, std::string& out,
                                         std::vector<std::size_t>& rowEnds);
    // Withholds one record as it was read (where this share is the only one), appending its row
    // to `out`; a blank record writes nothing.
    std::optional<PayrollError> withhold(const CsvRecord& record, std::uint64_t hash,
                                         std::string& out);
    long rows() const { return rows_; }
    long lineBeingRead() const { return record_.line; } // where an exception left it
    std::size_t payees() const { return employees_.size(); }

private:
    std::optional<PayrollError> processLine(const CsvRecord& record, std::uint64_t hash,
                                            std::string& out);
    std::optional<PayrollError> refuseSwallowedLine(const CsvRecord& record) const;
    std::optional<PayrollError> yearOf(const PayrollLine& line, long lineNumber,
                                       EmployeeState& employee);
    std::optional<PayrollError> withholdCumulatively(const CsvRecord& record,
                                                     const PayrollLine& line,
                                                     EmployeeState& employee, std::string& out);
    std::optional<PayrollError> taxOnItsOwn(const CsvRecord& record, const PayrollLine& line,
                                            EmployeeState& employee, std::string& out);
    PayrollError inputError(long line, std::string column, std::string what) const
    {
        return {PayrollError::Kind::Input, line, std::move(column), std::move(what)};
    }

    const PayrollColumns& columns_;
    const PayrollWriter& writer_;
    PayrollLineReader reader_{columns_};
    unsigned share_;
    unsigned shares_;
    EmployeeTable<EmployeeState> employees_;
    CsvRecord record_; // reused, so that its fields are not allocated again for every row
    long rows_ = 0;
};

} // namespace tallyra::payroll
