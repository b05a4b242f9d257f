// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/plannable_years.h"

#include "law/laws.h"
#include "law/parameters.h"

#include <algorithm>

namespace tallyra::law {

namespace {

template <typename... Series> int LatestYear(const Series&... series)
{
    return std::max({series.latest().from.year...});
}

} // namespace

int FirstPlannableYear()
{
    const CivilDate from = CumulativeMethod().from;
    return from.month == 1 && from.day == 1 ? from.year : from.year + 1;
}

// Every series of law/parameters.h: a series added there is added here.
int YearOfLastDatedChange()
{
    return LatestYear(
        kMonthlyBasicDeduction, kWageWithholdingMethod, kMonthlyRateTable, kAnnualRateTable,
        kBonusRateTable, kAnnualBasicDeduction, kWholeYearWithholdingDeduction,
        kSeparateBonusTaxation, kSeparateBonusesPerYear, kBonusDivisorMonths,
        kSmallPaymentExemption, kExemptPaymentLimit, kExemptIncomeLimit, kReconciliationWindow,
        kPrepaymentDeduction, kLabourPrepaymentTable, kAuthorsRoyaltyPrepaymentTable,
        kAnnualPaymentDeductionPercent, kAuthorsIncomeSharePercent, kSeveranceExemptMultiple,
        kSpecialAdditionalDeductions, kChildEducationDeduction, kInfantCareDeduction,
        kInfantCareAgeLimit, kContinuingDegreeDeduction, kVocationalCertificateDeduction,
        kHousingLoanInterestDeduction, kHousingRentDeduction, kElderlySupportOnlyChild,
        kElderlySupportShareCap, kSeriousIllnessFloor, kSeriousIllnessCap, kDeductionShares,
        kCommercialHealthInsuranceCap, kPersonalPensionCap, kHousingFundRateFloor,
        kHousingFundRateCap, kHousingFundTaxFreeRate, kHousingFundTaxFreeBaseMultiple,
        kAnnuityDeductibleRate, kAnnuityBaseMultiple, kEmployerAnnuityNotIncome);
}

int LastPlannableYear(int thisYear)
{
    return std::max(YearOfLastDatedChange() + 2, thisYear + 1);
}

std::optional<RuleEnd> SeparateBonusTaxationEnd()
{
    const DatedValue<bool>& latest = kSeparateBonusTaxation.latest();
    const DatedValue<bool>* allowed = nullptr;
    for (const DatedValue<bool>& value : kSeparateBonusTaxation.values)
        if (value.value)
            allowed = &value;
    if (latest.value || !allowed)
        return std::nullopt;
    const std::optional<CivilDate> last = kSeparateBonusTaxation.lastDayOf(*allowed);
    return RuleEnd{*last, kSeparateBonusTaxation.next(*allowed)->from.year};
}

} // namespace tallyra::law
