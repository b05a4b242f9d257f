// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/month_by_month.h"

#include <stdexcept>

namespace tallyra::law {

MonthByMonthTax TaxMonthByMonth(const WageLaw& law, Money wage, Money contributions,
                                Money exemptIncome, Money otherDeduction)
{
    if (law.method != WageMethod::MonthByMonth)
        throw std::invalid_argument("a law of month-by-month tax is needed");
    MonthByMonthTax t;
    t.taxableIncome = ClampNonNegative(wage - exemptIncome - contributions - otherDeduction -
                                       law.monthlyDeduction);
    t.bracket = ChooseBracket(law.monthlyTable, t.taxableIncome);
    t.tax = TaxWithBracket(t.bracket, t.taxableIncome);
    return t;
}

} // namespace tallyra::law
