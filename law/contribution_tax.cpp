// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/contribution_tax.h"

#include "law/parameters.h"

namespace tallyra::law {

namespace {

// A base counted at most `multiple` times the city's average wage, where it is given.
Money CappedBase(Money base, Money averageWage, int multiple)
{
    return averageWage.isZero() ? base : Min(base, averageWage.times(multiple));
}

} // namespace

ContributionTax TaxOfContributions(const ContributionSetup& setup, const Contributions& c,
                                   const YearMonth& period)
{
    ContributionTax tax;
    const auto* fundRate = kHousingFundTaxFreeRate.inMonth(period);
    const auto* fundMultiple = kHousingFundTaxFreeBaseMultiple.inMonth(period);
    if (fundRate && fundMultiple) {
        tax.fundLimit = CappedBase(c.housingFundBase, setup.localAverageWage, fundMultiple->value)
                            .timesBasisPoints(fundRate->value);
        tax.employeeFundDeducted = Min(c.employeeFund(), tax.fundLimit);
        tax.employerFundIncome = ClampNonNegative(c.employerFund() - tax.fundLimit);
    } else {
        tax.employeeFundDeducted = c.employeeFund(); // before the rule: as paid
    }
    const auto* annuityRate = kAnnuityDeductibleRate.inMonth(period);
    const auto* annuityMultiple = kAnnuityBaseMultiple.inMonth(period);
    if (annuityRate && annuityMultiple) {
        tax.annuityLimit = CappedBase(c.annuityBase, setup.localAverageWage, annuityMultiple->value)
                               .timesBasisPoints(annuityRate->value);
        tax.annuityDeducted = Min(c.annuity, tax.annuityLimit);
    }
    return tax;
}

} // namespace tallyra::law
