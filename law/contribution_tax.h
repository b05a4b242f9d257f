// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/calendar.h"
#include "law/contributions.h"

namespace tallyra::law {

// How a month's contributions count for the tax. Social insurance is deducted in full. Each
// side's housing fund, ordinary and supplementary together, is tax free up to a rate of the fund's
// base counted at most three times the city's average wage: the employee's part above it is not
// deducted, the employer's part above it is wage income (kHousingFundTaxFreeRate). The
// employee's annuity is deducted up to a rate of its base, likewise capped; the employer's is
// not income when paid (kAnnuityDeductibleRate).
struct ContributionTax {
    Money fundLimit;            // each side's fund is tax free up to this a month
    Money employeeFundDeducted; // the employee's fund deducted, at most the limit
    Money employerFundIncome;   // the employer's fund above the limit
    Money annuityLimit;
    Money annuityDeducted; // the employee's annuity deducted (其他扣除), at most its limit

    // 专项扣除: the employee's social insurance and the fund deducted.
    Money specialDeduction(const Contributions& c) const
    {
        return c.socialInsurance() + employeeFundDeducted;
    }
};

ContributionTax TaxOfContributions(const ContributionSetup& setup, const Contributions& month,
                                   const YearMonth& period);

} // namespace tallyra::law
