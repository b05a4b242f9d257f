// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/payroll_columns.h"

namespace tallyra::payroll {

std::optional<HeaderError> PayrollColumns::read(const CsvRecord& header)
{
    names_.clear();
    for (std::string_view field : header.fields)
        names_.emplace_back(TrimSpaces(field));
    const std::pair<const std::string*, std::optional<int>*> known[] = {
        {&kEmployeeColumn, &employee},   {&kPeriodColumn, &period},
        {&kIncomeColumn, &income},       {&kExemptColumn, &exempt},
        {&kSpecialColumn, &special},     {&kSpecialAdditionalColumn, &specialAdditional},
        {&kOtherColumn, &other},         {&kFirstEmployedColumn, &firstEmployed},
        {&kWholeYearColumn, &wholeYear},
    };
    for (auto [name, index] : known) {
        index->reset();
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] != *name)
                continue;
            if (*index)
                return HeaderError{*name, "这一列出现了不止一次"};
            *index = static_cast<int>(i);
        }
    }
    for (auto [name, index] :
         {std::pair{&kEmployeeColumn, &employee}, std::pair{&kPeriodColumn, &period},
          std::pair{&kIncomeColumn, &income}})
        if (!*index)
            return HeaderError{*name, "缺少这一必需的列"};
    return std::nullopt;
}

const std::string& PayrollColumns::nameOf(std::optional<int> column) const
{
    static const std::string none;
    return column ? names_[static_cast<std::size_t>(*column)] : none;
}

} // namespace tallyra::payroll
