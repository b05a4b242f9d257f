// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/laws.h"
#include "law/money.h"
#include "law/payment_income.h"
#include "law/rate_table.h"

#include <array>
#include <optional>

namespace tallyra::law {

// One kind of labour, authors' or royalty income in a year: the payments summed, and the tax
// prepaid on them.
struct PaymentIncomeOfYear {
    Money income;
    Money prepaid;
};

// The annual reconciliation of comprehensive income (综合所得年度汇算): wages, and labour,
// authors' and royalty income at their 收入额 (个人所得税法 第二条、第六条).
struct ReconciliationInput {
    int year = 0;
    Money income; // the year's wages, a combined bonus included
    Money exemptIncome;
    Money specialDeduction;  // the year's social insurance and housing fund
    Money specialAdditional; // every item of the year, serious illness and the certificate included
    Money otherDeduction;
    Money withheld; // all tax withheld in the year, a separate bonus's tax included
    std::optional<Money> separateBonus; // a bonus taxed on its own, outside the income above
    std::array<PaymentIncomeOfYear, kPaymentKinds.size()> payments{}; // by PaymentKind
};

struct ReconciliationResult {
    Money wageIncome;
    std::array<Money, kPaymentKinds.size()> paymentIncomeAmount{}; // 收入额, by PaymentKind
    Money income;         // the comprehensive income: wages and every 收入额
    Money basicDeduction; // 60,000
    Money taxableIncome;  // never below zero
    BracketChoice bracket;
    Money incomeTax; // on the annual table
    Money bonusTax;  // the separate bonus's own tax
    Money totalTax;
    Money withheld;                              // on wages, the bonus and every payment
    Money balance;                               // above zero: to pay; below zero: to be refunded
    bool paymentExempt = false;                  // a small payment the law lets go
    const DatedValue<bool>* exemption = nullptr; // the entry that lets it go
};

ReconciliationResult Reconcile(const ReconciliationInput& input);

// What the year's income of one kind adds to the balance (to pay above zero, to the refund
// below): the balance with it less the balance without it, its prepayments counted.
Money BalanceAddedBy(const ReconciliationInput& input, PaymentKind kind);

} // namespace tallyra::law
