// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/laws.h"
#include "law/money.h"
#include "law/rate_table.h"

#include <optional>

namespace tallyra::law {

// The annual reconciliation of comprehensive income (综合所得年度汇算) for wages.
struct ReconciliationInput {
    int year = 0;
    Money income; // the year's wages, a combined bonus included
    Money exemptIncome;
    Money specialDeduction;  // the year's social insurance and housing fund
    Money specialAdditional; // every item of the year, serious illness and the certificate included
    Money otherDeduction;
    Money withheld; // all tax withheld in the year, a separate bonus's tax included
    std::optional<Money> separateBonus; // a bonus taxed on its own, outside the income above
};

struct ReconciliationResult {
    Money income;
    Money basicDeduction; // 60,000
    Money taxableIncome;  // never below zero
    BracketChoice bracket;
    Money incomeTax; // on the annual table
    Money bonusTax;  // the separate bonus's own tax
    Money totalTax;
    Money withheld;
    Money balance;                               // above zero: to pay; below zero: to be refunded
    bool paymentExempt = false;                  // a small payment the law lets go
    const DatedValue<bool>* exemption = nullptr; // the entry that lets it go
};

ReconciliationResult Reconcile(const ReconciliationInput& input);

} // namespace tallyra::law
