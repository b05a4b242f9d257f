// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/laws.h"
#include "law/money.h"
#include "law/rate_table.h"

namespace tallyra::law {

// A month's tax under a law before 2019: the month stands alone.
struct MonthByMonthTax {
    Money taxableIncome; // wage − exempt − contributions − other − threshold, never below zero
    BracketChoice bracket;
    Money tax;
};

MonthByMonthTax TaxMonthByMonth(const WageLaw& law, Money wage, Money contributions,
                                Money exemptIncome = Money(), Money otherDeduction = Money());

} // namespace tallyra::law
