// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/csv_reader.h"

#include <optional>
#include <string>

namespace tallyra::payroll {

// The input columns the command knows, by their names in the header line.
inline const std::string kEmployeeColumn = "工号";
inline const std::string kPeriodColumn = "所属期";
inline const std::string kIncomeColumn = "本期收入";
inline const std::string kExemptColumn = "本期免税收入";
inline const std::string kSpecialColumn = "专项扣除";
inline const std::string kSpecialAdditionalColumn = "专项附加扣除";
inline const std::string kOtherColumn = "其他扣除";
inline const std::string kFirstEmployedColumn = "受雇起始期";
inline const std::string kWholeYearColumn = "全年减除6万";

struct HeaderError {
    std::string column;
    std::string what;
};

// Where each known column is; the others are copied through.
class PayrollColumns {
public:
    std::optional<HeaderError> read(const CsvRecord& header);
    std::size_t count() const { return names_.size(); }
    const std::string& nameOf(std::optional<int> column) const;

    std::optional<int> employee, period, income, exempt, special, specialAdditional, other,
        firstEmployed, wholeYear;

private:
    std::vector<std::string> names_;
};

} // namespace tallyra::payroll
