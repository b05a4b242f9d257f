// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/payroll_columns.h"

#include "payroll/invisible_characters.h"
#include "payroll/payroll_output.h"

namespace tallyra::payroll {

std::optional<HeaderError> PayrollColumns::read(const CsvRecord& header)
{
    names_.clear();
    asRead_.clear();
    for (std::string_view field : header.fields) {
        asRead_.emplace_back(TrimSpaces(field));
        names_.push_back(NormalizedColumnName(field));
    }
    for (auto [name, index] : knownColumns()) {
        index->reset();
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] != *name)
                continue;
            if (*index)
                return HeaderError{*name, "这一列出现了不止一次"};
            *index = static_cast<int>(i);
        }
    }
    for (const std::string& name : names_)
        if (IsFigureColumn(name) || (incomeKind && IsSeparateTaxColumn(name)))
            return HeaderError{name, "与本程序加在输出中的列同名（输入是否已是本程序的输出？）"};
    for (auto [name, index] :
         {std::pair{&kEmployeeColumn, &employee}, std::pair{&kPeriodColumn, &period},
          std::pair{&kIncomeColumn, &income}})
        if (!*index)
            return HeaderError{*name, "缺少这一必需的列"};
    return std::nullopt;
}

std::vector<std::pair<const std::string*, std::optional<int>*>> PayrollColumns::knownColumns()
{
    return {
        {&kEmployeeColumn, &employee},
        {&kPeriodColumn, &period},
        {&kIncomeColumn, &income},
        {&kExemptColumn, &exempt},
        {&kSpecialColumn, &special},
        {&kSpecialAdditionalColumn, &specialAdditional},
        {&kOtherColumn, &other},
        {&kFirstEmployedColumn, &firstEmployed},
        {&kWholeYearColumn, &wholeYear},
        {&kIncomeKindColumn, &incomeKind},
        {&kBonusMethodColumn, &bonusMethod},
        {&kAverageWageColumn, &averageWage},
    };
}

bool PayrollColumns::isKnown(std::size_t column) const
{
    for (std::optional<int> index :
         {employee, period, income, exempt, special, specialAdditional, other, firstEmployed,
          wholeYear, incomeKind, bonusMethod, averageWage})
        if (index && static_cast<std::size_t>(*index) == column)
            return true;
    return false;
}

std::vector<std::string> PayrollColumns::used() const
{
    std::vector<std::string> used;
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (isKnown(i))
            used.push_back(names_[i]);
    return used;
}

std::vector<std::string> PayrollColumns::copied() const
{
    std::vector<std::string> copied;
    for (std::size_t i = 0; i < asRead_.size(); ++i)
        if (!isKnown(i))
            copied.push_back(asRead_[i]);
    return copied;
}

const std::string& PayrollColumns::nameOf(std::optional<int> column) const
{
    static const std::string none;
    return column ? names_[static_cast<std::size_t>(*column)] : none;
}

} // namespace tallyra::payroll
