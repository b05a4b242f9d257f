// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "payroll/csv_reader.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

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
// Named by the deduction's amount when it was announced; files are written with this name, so it
// stays as it is whatever the law's figure becomes.
inline const std::string kWholeYearColumn = "全年减除6万";
inline const std::string kIncomeKindColumn = "所得项目";
inline const std::string kBonusMethodColumn = "奖金计税方式";
inline const std::string kAverageWageColumn = "当地上年职工平均工资";

struct HeaderError {
    std::string column;
    std::string what;
};

// Where each known column is; the others are copied through. A header cell names a known
// column when it does without its invisible characters and with full-width ASCII folded.
class PayrollColumns {
public:
    std::optional<HeaderError> read(const CsvRecord& header);
    std::size_t count() const { return names_.size(); }
    // The column's name as matched (a known column's own name).
    const std::string& nameOf(std::optional<int> column) const;
    bool isKnown(std::size_t column) const;
    std::vector<std::string> used() const;   // the known columns, in the file's order
    std::vector<std::string> copied() const; // the others, as the header names them

    std::optional<int> employee, period, income, exempt, special, specialAdditional, other,
        firstEmployed, wholeYear, incomeKind, bonusMethod, averageWage;

private:
    std::vector<std::pair<const std::string*, std::optional<int>*>> knownColumns();
    std::vector<std::string> names_;
    std::vector<std::string> asRead_;
};

} // namespace tallyra::payroll
