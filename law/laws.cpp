// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/laws.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace tallyra::law {

namespace {

// "1994年起 减除800元", "2011年9月起 减除3500元", "2019年起 累计预扣法".
std::string LawName(const CivilDate& from, WageMethod method, Money deduction)
{
    std::string name = std::to_string(from.year) + "年";
    if (from.month != 1)
        name += std::to_string(from.month) + "月";
    name += "起 ";
    if (method == WageMethod::Cumulative)
        return name + "累计预扣法";
    return name + "减除" + std::to_string(deduction.fen() / 100) + "元";
}

WageLaw LawFrom(const CivilDate& day)
{
    const DatedValue<Money>& deduction = *kMonthlyBasicDeduction.on(day);
    const DatedValue<WageMethod>& method = *kWageWithholdingMethod.on(day);
    WageLaw law{day,
                LawName(day, method.value, deduction.value),
                method.value,
                deduction.value,
                {},
                {},
                deduction.from == day ? deduction.source : method.source};
    if (method.value == WageMethod::MonthByMonth) {
        law.monthlyTable = kMonthlyRateTable.on(day)->value;
    } else {
        law.monthlyTable = kBonusRateTable.on(day)->value;
        law.annualTable = kAnnualRateTable.on(day)->value;
    }
    return law;
}

std::vector<WageLaw> MakeLaws()
{
    std::vector<CivilDate> days;
    for (const auto& value : kMonthlyBasicDeduction.values)
        days.push_back(value.from);
    for (const auto& value : kWageWithholdingMethod.values)
        days.push_back(value.from);
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    std::vector<WageLaw> laws;
    for (const CivilDate& day : days)
        if (kMonthlyBasicDeduction.on(day) && kWageWithholdingMethod.on(day))
            laws.push_back(LawFrom(day));
    return laws;
}

const std::vector<WageLaw>& Laws()
{
    static const std::vector<WageLaw> laws = MakeLaws();
    return laws;
}

// A rule's entry on a day, when the rule holds that day.
const DatedValue<bool>* InForce(const LegalSeries<bool>& rule, const CivilDate& day)
{
    const DatedValue<bool>* entry = rule.on(day);
    return entry && entry->value ? entry : nullptr;
}

// A deduction item of a tax year; zero before the item existed.
Money AmountIn(const LegalSeries<Money>& item, int taxYear)
{
    const DatedValue<Money>* entry = item.forTaxYear(taxYear);
    return entry ? entry->value : Money();
}

} // namespace

std::span<const WageLaw> WageLaws()
{
    return Laws();
}

const WageLaw* LawOn(const CivilDate& day)
{
    const WageLaw* found = nullptr;
    for (const WageLaw& law : Laws())
        if (law.effectiveFrom <= day)
            found = &law;
    return found;
}

const WageLaw* LawFor(const YearMonth& period)
{
    return LawOn(period.firstDay());
}

std::optional<CivilDate> LastDayOf(const WageLaw& law)
{
    const std::vector<WageLaw>& laws = Laws();
    for (std::size_t i = 0; i + 1 < laws.size(); ++i)
        if (&laws[i] == &law)
            return DayBefore(laws[i + 1].effectiveFrom);
    return std::nullopt;
}

const DatedValue<bool>* SeparateBonusRuleOn(const CivilDate& day)
{
    return InForce(kSeparateBonusTaxation, day);
}

const DatedValue<bool>* SmallPaymentExemptionFor(int taxYear)
{
    return InForce(kSmallPaymentExemption, {taxYear, 12, 31});
}

std::optional<SpecialDeductionAmounts> SpecialDeductionAmountsFor(int taxYear)
{
    if (!InForce(kSpecialAdditionalDeductions, {taxYear, 12, 31}))
        return std::nullopt;
    SpecialDeductionAmounts a;
    a.childEducation = AmountIn(kChildEducationDeduction, taxYear);
    a.infantCare = AmountIn(kInfantCareDeduction, taxYear);
    a.continuingDegree = AmountIn(kContinuingDegreeDeduction, taxYear);
    a.certificateYear = AmountIn(kVocationalCertificateDeduction, taxYear);
    a.housingLoan = AmountIn(kHousingLoanInterestDeduction, taxYear);
    if (const auto* rent = kHousingRentDeduction.forTaxYear(taxYear))
        std::copy(rent->value.byCityTier.begin(), rent->value.byCityTier.end(), a.rent);
    a.elderlyOnlyChild = AmountIn(kElderlySupportOnlyChild, taxYear);
    a.elderlyShareCap = AmountIn(kElderlySupportShareCap, taxYear);
    a.illnessFloor = AmountIn(kSeriousIllnessFloor, taxYear);
    a.illnessCap = AmountIn(kSeriousIllnessCap, taxYear);
    return a;
}

const DatedValue<WageMethod>& CumulativeMethod()
{
    for (const DatedValue<WageMethod>& method : kWageWithholdingMethod.values)
        if (method.value == WageMethod::Cumulative)
            return method;
    throw std::logic_error("no cumulative method in the law's series");
}

std::string CumulativeMethodSource()
{
    return CitationOf(CumulativeMethod().source);
}

} // namespace tallyra::law
