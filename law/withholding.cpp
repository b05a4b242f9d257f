// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/withholding.h"

#include "law/parameters.h"

#include <stdexcept>

namespace tallyra::law {

const DatedValue<WholeYearDeduction>* WholeYearDeductionFor(int year)
{
    return kWholeYearWithholdingDeduction.inMonth({year, 1});
}

Money CumulativeBasicDeduction(int year, int firstMonthEmployed, int month, bool wholeYearDeduction)
{
    if (wholeYearDeduction) {
        const DatedValue<WholeYearDeduction>* whole = WholeYearDeductionFor(year);
        if (!whole)
            throw std::invalid_argument("no whole-year deduction before it applied");
        return whole->value.deduction;
    }
    const DatedValue<Money>* first = kMonthlyBasicDeduction.inMonth({year, firstMonthEmployed});
    const DatedValue<Money>* last = kMonthlyBasicDeduction.inMonth({year, month});
    if (first == last) // the same amount every month: the common case, kept cheap for payrolls
        return first->value.times(month - firstMonthEmployed + 1);
    Money sum;
    for (int m = firstMonthEmployed; m <= month; ++m)
        sum += kMonthlyBasicDeduction.inMonth({year, m})->value;
    return sum;
}

CumulativeWithholding::CumulativeWithholding(int year, int firstMonthEmployed,
                                             bool wholeYearDeduction)
    : year_(year)
    , firstMonth_(firstMonthEmployed)
    , wholeYear_(wholeYearDeduction)
{
    if (firstMonthEmployed < 1 || firstMonthEmployed > 12)
        throw std::invalid_argument("first month employed must be 1-12");
    const DatedValue<WageMethod>* method = kWageWithholdingMethod.inMonth({year, 1});
    if (!method || method->value != WageMethod::Cumulative)
        throw std::invalid_argument("cumulative withholding applies from 2019");
    if (wholeYearDeduction && !WholeYearDeductionFor(year))
        throw std::invalid_argument("no whole-year deduction before it applied");
}

WithholdingStep CumulativeWithholding::preview(int month, const MonthFigures& figures) const
{
    if (month < firstMonth_ || month <= lastMonth_ || month > 12)
        throw std::invalid_argument("month out of order");
    return step(month, figures);
}

WithholdingStep CumulativeWithholding::step(int month, const MonthFigures& figures) const
{
    const RateTable table = kAnnualRateTable.inMonth({year_, month})->value;

    WithholdingStep step;
    step.period = {year_, month};
    step.monthsCounted = month - firstMonth_ + 1;
    step.month = figures;
    CumulativeFigures& sum = step.cumulative;
    sum.income = totals_.income + figures.income;
    sum.exemptIncome = totals_.exemptIncome + figures.exemptIncome;
    sum.basicDeduction = CumulativeBasicDeduction(year_, firstMonth_, month, wholeYear_);
    sum.specialDeduction = totals_.specialDeduction + figures.specialDeduction;
    sum.specialAdditional = totals_.specialAdditional + figures.specialAdditional;
    sum.otherDeduction = totals_.otherDeduction + figures.otherDeduction;

    const Money taxable = sum.income - sum.exemptIncome - sum.basicDeduction -
                          sum.specialDeduction - sum.specialAdditional - sum.otherDeduction;
    step.taxableIncome = ClampNonNegative(taxable);
    step.bracket = ChooseBracket(table, step.taxableIncome);
    step.cumulativeTax = TaxWithBracket(step.bracket, step.taxableIncome);
    step.alreadyWithheld = withheld_;
    const Money due = step.cumulativeTax - step.alreadyWithheld;
    step.withheld = ClampNonNegative(due);
    step.notRefunded = due.isNegative() ? -due : Money();
    step.afterTax = figures.income - figures.specialDeduction - step.withheld;
    return step;
}

WithholdingStep CumulativeWithholding::withhold(int month, const MonthFigures& figures)
{
    const WithholdingStep done = preview(month, figures);
    keep(done);
    return done;
}

WithholdingStep CumulativeWithholding::withholdAgain(const MonthFigures& figures)
{
    if (lastMonth_ == 0)
        throw std::invalid_argument("no month withheld yet");
    const WithholdingStep done = step(lastMonth_, figures);
    keep(done);
    return done;
}

void CumulativeWithholding::keep(const WithholdingStep& done)
{
    totals_ = done.cumulative;
    withheld_ = done.alreadyWithheld + done.withheld;
    lastMonth_ = done.period.month;
}

} // namespace tallyra::law
