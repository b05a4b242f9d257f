// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/contributions.h"

namespace tallyra::law {

Money ContributionBase::of(Money wage) const
{
    Money base = fixed.value_or(wage);
    if (!cap.isZero())
        base = Min(base, cap);
    return Max(base, floor);
}

Contributions ComputeContributions(const ContributionSetup& setup, Money wage)
{
    Contributions c;
    c.socialInsuranceBase = setup.socialInsuranceBase.of(wage);
    c.housingFundBase = setup.housingFundBase.of(wage);
    const Money social = c.socialInsuranceBase;
    const Money fund = c.housingFundBase;
    c.pension = social.timesBasisPoints(setup.employee.pension);
    c.medical = social.timesBasisPoints(setup.employee.medical);
    c.unemployment = social.timesBasisPoints(setup.employee.unemployment);
    c.housingFund = fund.timesBasisPoints(setup.employee.housingFund);
    c.supplementaryFund = fund.timesBasisPoints(setup.employee.supplementaryFund);
    c.annuityBase = setup.annuityBase.of(wage);
    c.annuity = c.annuityBase.timesBasisPoints(setup.employee.annuity);
    c.employerPension = social.timesBasisPoints(setup.employer.pension);
    c.employerMedical = social.timesBasisPoints(setup.employer.medical);
    c.employerUnemployment = social.timesBasisPoints(setup.employer.unemployment);
    c.employerInjury = social.timesBasisPoints(setup.employer.injury);
    c.employerHousingFund = fund.timesBasisPoints(setup.employer.housingFund);
    c.employerSupplementaryFund = fund.timesBasisPoints(setup.employer.supplementaryFund);
    c.employerAnnuity = c.annuityBase.timesBasisPoints(setup.employer.annuity);
    return c;
}

} // namespace tallyra::law
