// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/comparison.h"

#include "law/month_by_month.h"
#include "law/withholding.h"

namespace tallyra::law {

std::vector<LawComparisonRow> SameWageUnderEveryLaw(Money monthlyWage, Money monthlyContributions,
                                                    Money monthlySpecialAdditional)
{
    std::vector<LawComparisonRow> rows;
    for (const WageLaw& law : WageLaws()) {
        LawComparisonRow row{&law, Money(), Money(), Money()};
        if (law.method == WageMethod::MonthByMonth) {
            row.firstMonthTax = TaxMonthByMonth(law, monthlyWage, monthlyContributions).tax;
            row.yearTax = row.firstMonthTax.times(12);
        } else {
            CumulativeWithholding year(law.effectiveFrom.year, 1, false);
            const MonthFigures month{monthlyWage, Money(), monthlyContributions,
                                     monthlySpecialAdditional, Money()};
            for (int m = 1; m <= 12; ++m) {
                const Money withheld = year.withhold(m, month).withheld;
                if (m == 1)
                    row.firstMonthTax = withheld;
            }
            row.yearTax = year.withheldSoFar();
        }
        row.yearTakeHome = (monthlyWage - monthlyContributions).times(12) - row.yearTax;
        rows.push_back(row);
    }
    return rows;
}

} // namespace tallyra::law
