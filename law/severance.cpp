// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/severance.h"

#include "law/parameters.h"

namespace tallyra::law {

std::optional<SeparateTax> TaxSeverance(int year, Money pay, Money localAverageAnnualWage)
{
    const DatedValue<int>* multiple = kSeveranceExemptMultiple.forTaxYear(year);
    const DatedValue<RateTable>* table = kAnnualRateTable.forTaxYear(year);
    if (!multiple || !table)
        return std::nullopt;
    const Money exempt = Min(pay, localAverageAnnualWage.times(multiple->value));
    return TaxApart(table->value, pay, exempt, pay - exempt);
}

} // namespace tallyra::law
