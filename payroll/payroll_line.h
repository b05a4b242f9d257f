// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/calendar.h"
#include "law/money.h"
#include "law/withholding.h"
#include "payroll/csv_reader.h"
#include "payroll/income_rows.h"
#include "payroll/payroll_columns.h"
#include "payroll/withhold_job.h"

#include <optional>
#include <string_view>

namespace tallyra::payroll {

// A line's values, read and checked.
struct PayrollLine {
    std::string_view employee;
    law::YearMonth period;
    IncomeKind kind = IncomeKind::Wage;
    bool separately = false; // taxed on its own, apart from the employee's cumulative wages
    law::MonthFigures figures;
    law::Money averageWage; // of severance pay
    std::optional<law::YearMonth> firstEmployed;
    std::optional<bool> wholeYear;
};

// Reads the cells of a line by the columns of the file's header.
class PayrollLineReader {
public:
    explicit PayrollLineReader(const PayrollColumns& columns);
    std::optional<PayrollError> read(const CsvRecord& record, PayrollLine& line) const;

private:
    std::optional<PayrollError> readKind(const CsvRecord& record, PayrollLine& line) const;
    std::optional<PayrollError> readDeductions(const CsvRecord& record, PayrollLine& line) const;
    std::optional<PayrollError> readOnlyOn(const CsvRecord& record, std::optional<int> column,
                                           std::string_view rows) const;
    std::optional<PayrollError> readMoney(const CsvRecord& record, std::optional<int> column,
                                          bool required, law::Money& value) const;
    std::optional<PayrollError> readPeriod(const CsvRecord& record, int column,
                                           std::optional<law::YearMonth>& value) const;
    std::optional<PayrollError> readWholeYear(const CsvRecord& record,
                                              std::optional<bool>& value) const;
    std::optional<PayrollError> refuseWholeYearBeforeItApplied(long lineNumber,
                                                               const PayrollLine& line) const;
    PayrollError inputError(long line, std::string column, std::string what) const
    {
        return {PayrollError::Kind::Input, line, std::move(column), std::move(what)};
    }
    std::string_view cell(const CsvRecord& record, std::optional<int> column) const
    {
        return column && *column < static_cast<int>(record.fields.size())
                   ? record.fields[static_cast<std::size_t>(*column)]
                   : std::string_view();
    }

    const PayrollColumns& columns_;
    const law::YearMonth firstCumulativeMonth_;
};

} // namespace tallyra::payroll
