// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/reconciliation.h"

#include "law/bonus.h"

#include <stdexcept>

namespace tallyra::law {

ReconciliationResult Reconcile(const ReconciliationInput& input)
{
    const DatedValue<RateTable>* annualTable = kAnnualRateTable.forTaxYear(input.year);
    const DatedValue<Money>* basicDeduction = kAnnualBasicDeduction.forTaxYear(input.year);
    if (!annualTable || !basicDeduction)
        throw std::invalid_argument("the annual reconciliation applies from 2019");
    ReconciliationResult r;
    r.income = input.income;
    r.basicDeduction = basicDeduction->value;
    r.taxableIncome =
        ClampNonNegative(input.income - input.exemptIncome - r.basicDeduction -
                         input.specialDeduction - input.specialAdditional - input.otherDeduction);
    r.bracket = ChooseBracket(annualTable->value, r.taxableIncome);
    r.incomeTax = TaxWithBracket(r.bracket, r.taxableIncome);
    if (input.separateBonus) {
        const auto separate = TaxBonusSeparately(input.year, *input.separateBonus);
        if (!separate)
            throw std::invalid_argument("no separate bonus treatment in this year");
        r.bonusTax = separate->tax;
    }
    r.totalTax = r.incomeTax + r.bonusTax;
    r.withheld = input.withheld;
    r.balance = r.totalTax - r.withheld;
    if (r.balance > Money()) {
        const DatedValue<bool>* rule = SmallPaymentExemptionFor(input.year);
        if (rule && (r.balance <= kExemptPaymentLimit.forTaxYear(input.year)->value ||
                     input.income <= kExemptIncomeLimit.forTaxYear(input.year)->value)) {
            r.paymentExempt = true;
            r.exemption = rule;
        }
    }
    return r;
}

} // namespace tallyra::law
