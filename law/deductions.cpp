// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/deductions.h"

#include "law/laws.h"
#include "law/parameters.h"

#include <stdexcept>

namespace tallyra::law {

namespace {

void RequireShare(int share)
{
    const DeductionShares& shares = kDeductionShares.latest().value;
    if (share != shares.split && share != shares.whole)
        throw std::invalid_argument("a share is the whole deduction or the split share of it");
}

} // namespace

SpecialDeductionBreakdown MonthlySpecialDeduction(int taxYear, const SpecialDeductionItems& items)
{
    if (items.childrenInEducation < 0 || items.infants < 0 || items.elderlyShare.isNegative())
        throw std::invalid_argument("negative deduction item");
    RequireShare(items.childEducationShare);
    RequireShare(items.infantShare);
    RequireShare(items.housingLoanShare);
    if (items.rentTier < 1 || items.rentTier > 3)
        throw std::invalid_argument("rent tier is 1-3");

    SpecialDeductionBreakdown month;
    const std::optional<SpecialDeductionAmounts> law = SpecialDeductionAmountsFor(taxYear);
    if (!law)
        return month;
    month.childEducation = law->childEducation.times(items.childrenInEducation)
                               .timesPercent(items.childEducationShare);
    month.infantCare = law->infantCare.times(items.infants).timesPercent(items.infantShare);
    if (items.continuingDegree)
        month.continuingEducation = law->continuingDegree;
    if (items.housing == Housing::Loan)
        month.housing = law->housingLoan.timesPercent(items.housingLoanShare);
    else if (items.housing == Housing::Rent)
        month.housing = law->rent[items.rentTier - 1];
    month.elderlySupport = items.elderlyOnlyChild ? law->elderlyOnlyChild
                                                  : Min(items.elderlyShare, law->elderlyShareCap);
    return month;
}

Money CertificateDeduction(int taxYear, const SpecialDeductionItems& items)
{
    const std::optional<SpecialDeductionAmounts> law = SpecialDeductionAmountsFor(taxYear);
    return law && items.certificateObtained ? law->certificateYear : Money();
}

Money SeriousIllnessDeduction(int taxYear, Money cost)
{
    const std::optional<SpecialDeductionAmounts> law = SpecialDeductionAmountsFor(taxYear);
    if (!law)
        return Money();
    return Min(ClampNonNegative(cost - law->illnessFloor), law->illnessCap);
}

Money DeductibleOtherDeductions(int taxYear, const OtherDeductionItems& items,
                                Money pensionAlreadyDeducted)
{
    Money deductible = items.other;
    if (const auto* health = kCommercialHealthInsuranceCap.forTaxYear(taxYear))
        deductible += Min(items.commercialHealthInsurance, health->value.monthly);
    deductible += DeductiblePension(taxYear, items.personalPension, pensionAlreadyDeducted);
    return deductible;
}

Money DeductiblePension(int taxYear, Money payment, Money alreadyDeducted)
{
    const auto* cap = kPersonalPensionCap.forTaxYear(taxYear);
    return cap ? Min(payment, ClampNonNegative(cap->value.annual - alreadyDeducted)) : Money();
}

} // namespace tallyra::law
