// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/money.h"
#include "law/rate_table.h"

namespace tallyra::law {

// An amount taxed on its own, apart from the cumulative wages: one payment of labour, authors'
// or royalty income, an annual bonus taxed on its own, the taxable part of severance pay. The
// taxable amount is whole fen before the rate applies, and the tax is rounded to the fen, so
// that every figure recomputes by hand.
struct SeparateTax {
    Money income;    // what was paid
    Money deduction; // 减除费用: 800 or 20 %, severance's exempt part, nothing for a bonus
    Money taxable;   // 应纳税所得额, never below zero
    BracketChoice bracket; // none (0 %, no quick deduction) when nothing is taxable
    Money tax;
    Money afterTax() const { return income - tax; }
};

// taxable × rate − quick deduction on `table`, the row chosen by taxable ÷ divisor.
SeparateTax TaxApart(RateTable table, Money income, Money deduction, Money taxable,
                     int divisor = 1);

} // namespace tallyra::law
