// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/form/planner_inputs.h"

namespace tallyra::year {

using law::Money;

PlannerInputs DefaultInputs(int year)
{
    PlannerInputs in;
    in.plan.year = year;
    in.wage = Money::Yuan(10'000);
    SpreadWage(in);
    return in;
}

void SpreadWage(PlannerInputs& inputs)
{
    for (std::size_t i = 0; i < 12; ++i)
        if (!inputs.wageEdited[i])
            inputs.plan.wages[i] = inputs.wage;
}

namespace {

bool SameBase(const law::ContributionBase& a, const law::ContributionBase& b)
{
    return a.fixed == b.fixed && a.floor == b.floor && a.cap == b.cap;
}

bool SameRates(const law::ContributionSetup& a, const law::ContributionSetup& b)
{
    const law::EmployeeRates& e = a.employee;
    const law::EmployeeRates& f = b.employee;
    const law::EmployerRates& g = a.employer;
    const law::EmployerRates& h = b.employer;
    return e.pension == f.pension && e.medical == f.medical && e.unemployment == f.unemployment &&
           e.housingFund == f.housingFund && g.pension == h.pension && g.medical == h.medical &&
           g.unemployment == h.unemployment && g.injury == h.injury &&
           g.housingFund == h.housingFund;
}

bool SameItems(const law::SpecialDeductionItems& a, const law::SpecialDeductionItems& b)
{
    return a.childrenInEducation == b.childrenInEducation &&
           a.childEducationShare == b.childEducationShare && a.infants == b.infants &&
           a.infantShare == b.infantShare && a.continuingDegree == b.continuingDegree &&
           a.certificateObtained == b.certificateObtained &&
           a.certificateMonth == b.certificateMonth && a.housing == b.housing &&
           a.housingLoanShare == b.housingLoanShare && a.rentTier == b.rentTier &&
           a.elderlyOnlyChild == b.elderlyOnlyChild && a.elderlyShare == b.elderlyShare &&
           a.seriousIllnessCost == b.seriousIllnessCost;
}

} // namespace

bool SameInputs(const PlannerInputs& a, const PlannerInputs& b)
{
    const law::YearPlanInput& p = a.plan;
    const law::YearPlanInput& q = b.plan;
    return a.wage == b.wage && a.wageEdited == b.wageEdited && p.year == q.year &&
           p.firstMonthEmployed == q.firstMonthEmployed && p.wages == q.wages &&
           p.exemptIncome == q.exemptIncome &&
           SameBase(p.contributions.socialInsuranceBase, q.contributions.socialInsuranceBase) &&
           SameBase(p.contributions.housingFundBase, q.contributions.housingFundBase) &&
           SameRates(p.contributions, q.contributions) && SameItems(p.special, q.special) &&
           p.other.commercialHealthInsurance == q.other.commercialHealthInsurance &&
           p.other.personalPension == q.other.personalPension && p.other.other == q.other.other &&
           p.wholeYearDeduction == q.wholeYearDeduction && p.bonus == q.bonus &&
           p.bonusMonth == q.bonusMonth && p.bonusTreatment == q.bonusTreatment &&
           p.reconcileItemsForWholeYear == q.reconcileItemsForWholeYear &&
           p.otherIncome == q.otherIncome && p.otherSpecialDeduction == q.otherSpecialDeduction &&
           p.otherWithheld == q.otherWithheld;
}

} // namespace tallyra::year
