// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/reconciliation.h"

#include "law/bonus.h"

#include <stdexcept>

namespace tallyra::law {

namespace {

// Adds every kind's 收入额 to the comprehensive income; returns the tax prepaid on them.
Money AddPaymentIncome(const ReconciliationInput& input, ReconciliationResult& r)
{
    Money prepaid;
    for (PaymentKind kind : kPaymentKinds) {
        const PaymentIncomeOfYear& paid = input.payments[IndexOf(kind)];
        r.paymentIncomeAmount[IndexOf(kind)] = AnnualIncomeAmount(kind, input.year, paid.income);
        r.income += r.paymentIncomeAmount[IndexOf(kind)];
        prepaid += paid.prepaid;
    }
    return prepaid;
}

} // namespace

ReconciliationResult Reconcile(const ReconciliationInput& input)
{
    const DatedValue<RateTable>* annualTable = kAnnualRateTable.forTaxYear(input.year);
    const DatedValue<Money>* basicDeduction = kAnnualBasicDeduction.forTaxYear(input.year);
    if (!annualTable || !basicDeduction)
        throw std::invalid_argument("the annual reconciliation applies from 2019");
    ReconciliationResult r;
    r.wageIncome = input.income;
    r.income = input.income;
    const Money prepaid = AddPaymentIncome(input, r);
    r.basicDeduction = basicDeduction->value;
    r.taxableIncome =
        ClampNonNegative(r.income - input.exemptIncome - r.basicDeduction - input.specialDeduction -
                         input.specialAdditional - input.otherDeduction);
    r.bracket = ChooseBracket(annualTable->value, r.taxableIncome);
    r.incomeTax = TaxWithBracket(r.bracket, r.taxableIncome);
    if (input.separateBonus) {
        const auto separate = TaxBonusSeparately(input.year, *input.separateBonus);
        if (!separate)
            throw std::invalid_argument("no separate bonus treatment in this year");
        r.bonusTax = separate->tax;
    }
    r.totalTax = r.incomeTax + r.bonusTax;
    r.withheld = input.withheld + prepaid;
    r.balance = r.totalTax - r.withheld;
    if (r.balance > Money()) {
        const DatedValue<bool>* rule = SmallPaymentExemptionFor(input.year);
        if (rule && (r.balance <= kExemptPaymentLimit.forTaxYear(input.year)->value ||
                     r.income <= kExemptIncomeLimit.forTaxYear(input.year)->value)) {
            r.paymentExempt = true;
            r.exemption = rule;
        }
    }
    return r;
}

Money BalanceAddedBy(const ReconciliationInput& input, PaymentKind kind)
{
    ReconciliationInput without = input;
    without.payments[IndexOf(kind)] = {};
    return Reconcile(input).balance - Reconcile(without).balance;
}

} // namespace tallyra::law
