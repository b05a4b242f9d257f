// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/calendar.h"
#include "law/money.h"
#include "law/separate_tax.h"

#include <string>
#include <string_view>
#include <variant>

namespace tallyra::payroll {

// What a row pays (所得项目), and how it is taxed.
enum class IncomeKind { Wage, Bonus, Labour, Authors, Royalty, Severance };

// A cell that cannot be taken: its column and why.
struct CellProblem {
    std::string column;
    std::string what;
};

// 所得项目 as written (blanks around it do not count); empty is 工资薪金.
std::variant<IncomeKind, CellProblem> ReadIncomeKind(std::string_view raw);

// 奖金计税方式 of a bonus row of `period`: true for 单独计税. Empty is 单独计税 where the law
// allows it in that month, 并入综合所得 otherwise; 单独计税 where it does not is refused.
std::variant<bool, CellProblem> ReadBonusSeparately(std::string_view raw, law::YearMonth period);

// Refuses a second bonus taxed on its own in a year (`firstLine`: where the first one was).
CellProblem SecondSeparateBonus(std::string_view column, std::string_view employee, int year,
                                long firstLine);

// The tax on a row taxed on its own: a bonus, a payment of labour, authors' or royalty income,
// severance pay (`averageWage`: the local average annual wage of the previous year). The period
// is one withheld by the cumulative method and the bonus's separate treatment allowed in it.
law::SeparateTax TaxOnItsOwn(IncomeKind kind, law::YearMonth period, law::Money income,
                             law::Money averageWage);

// "劳务报酬", as the file names the kind.
std::string_view IncomeKindName(IncomeKind kind);

} // namespace tallyra::payroll
