// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/separate_tax.h"

namespace tallyra::law {

SeparateTax TaxApart(RateTable table, Money income, Money deduction, Money taxable, int divisor)
{
    SeparateTax t;
    t.income = income;
    t.deduction = deduction;
    t.taxable = ClampNonNegative(taxable);
    t.bracket = ChooseBracket(table, t.taxable, divisor);
    t.tax = TaxWithBracket(t.bracket, t.taxable);
    return t;
}

} // namespace tallyra::law
