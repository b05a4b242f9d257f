// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/year_plan.h"

#include "law/inverse.h"
#include "law/severance.h"

#include <algorithm>
#include <stdexcept>

namespace tallyra::law {

namespace {

void Validate(const YearPlanInput& in)
{
    const DatedValue<WageMethod>* method = kWageWithholdingMethod.inMonth({in.year, 1});
    if (!method || method->value != WageMethod::Cumulative)
        throw std::invalid_argument("a year plan needs a year from 2019");
    if (in.firstMonthEmployed < 1 || in.firstMonthEmployed > 12 || in.bonusMonth < 1 ||
        in.bonusMonth > 12 || in.special.certificateMonth < 0 || in.special.certificateMonth > 12)
        throw std::invalid_argument("a month is 1-12");
    if (in.bonus.isNegative() || in.otherIncome.isNegative() ||
        in.otherSpecialDeduction.isNegative() || in.otherWithheld.isNegative())
        throw std::invalid_argument("a negative amount");
    for (std::size_t i = 0; i < 12; ++i)
        if (in.wages[i].isNegative() || in.exemptIncome[i].isNegative())
            throw std::invalid_argument("a negative wage");
    for (const OtherPayment& payment : in.payments)
        if (payment.month < 1 || payment.month > 12 || payment.amount.isNegative())
            throw std::invalid_argument("a payment's month is 1-12, its amount not negative");
    if (in.severance.isNegative() || in.localAverageWage.isNegative())
        throw std::invalid_argument("a negative amount");
}

// Each payment's prepayment, summed by kind into the reconciliation, and what each kind adds.
void PlanPayments(const YearPlanInput& in, YearPlan& plan)
{
    for (const OtherPayment& payment : in.payments) {
        const SeparateTax tax =
            *PrepayOnPayment(payment.kind, {in.year, payment.month}, payment.amount);
        plan.prepayments.push_back(tax);
        PaymentIncomeOfYear& ofKind = plan.reconciliationInput.payments[IndexOf(payment.kind)];
        ofKind.income += payment.amount;
        ofKind.prepaid += tax.tax;
    }
    plan.reconciliation = Reconcile(plan.reconciliationInput);
    for (PaymentKind kind : kPaymentKinds)
        plan.balanceAddedBy[IndexOf(kind)] = BalanceAddedBy(plan.reconciliationInput, kind);
}

// The month in which a certificate's 3,600 is deducted at withholding, or 0.
int CertificateMonth(const YearPlanInput& in)
{
    if (!in.special.certificateObtained || in.special.certificateMonth == 0)
        return 0;
    return std::max(in.special.certificateMonth, in.firstMonthEmployed);
}

bool BonusSeparate(const YearPlanInput& in)
{
    return in.bonusTreatment == BonusTreatment::Separate && TaxBonusSeparately(in.year, Money());
}

// Runs the months before `untilMonth` (all twelve with 13) and fills `plan` as it goes.
CumulativeWithholding RunMonths(const YearPlanInput& in, int untilMonth, YearPlan& plan,
                                Money& pensionSoFar)
{
    CumulativeWithholding year(in.year, in.firstMonthEmployed, in.wholeYearDeduction);
    const bool separate = BonusSeparate(in);
    int previousRate = -1;
    for (int m = 1; m < untilMonth && m <= 12; ++m) {
        MonthPlan& p = plan.months[m - 1];
        p.month = m;
        p.employed = m >= in.firstMonthEmployed;
        if (!p.employed)
            continue;
        p.wage = in.wages[m - 1];
        p.bonus = m == in.bonusMonth ? in.bonus : Money();
        p.bonusCombined = !separate && !p.bonus.isZero();
        p.contributions = ComputeContributions(in.contributions, p.wage);
        p.contributionTax = TaxOfContributions(in.contributions, p.contributions, {in.year, m});
        p.special = MonthlySpecialDeduction(in.year, in.special);
        p.certificate =
            m == CertificateMonth(in) ? CertificateDeduction(in.year, in.special) : Money();
        p.otherDeduction = DeductibleOtherDeductions(in.year, in.other, pensionSoFar);
        pensionSoFar += DeductiblePension(in.year, in.other.personalPension, pensionSoFar);

        MonthFigures figures;
        // The employer's fund above the tax-free limit is pay; the employee's contributions are
        // deducted as far as the law allows.
        figures.income =
            p.wage + (p.bonusCombined ? p.bonus : Money()) + p.contributionTax.employerFundIncome;
        figures.exemptIncome = in.exemptIncome[m - 1];
        figures.specialDeduction = p.contributionTax.specialDeduction(p.contributions);
        figures.specialAdditional = p.special.total() + p.certificate;
        figures.otherDeduction = p.otherDeduction + p.contributionTax.annuityDeducted;
        p.step = year.withhold(m, figures);
        if (separate && !p.bonus.isZero())
            p.bonusTax = TaxBonusSeparately(in.year, p.bonus)->tax;
        p.rateStepsUp = previousRate >= 0 && p.step.bracket.ratePercent > previousRate;
        previousRate = p.step.bracket.ratePercent;
        const Money paidIn = p.contributions.employeeTotal();
        p.takeHome = p.wage + p.bonus - paidIn - p.step.withheld - p.bonusTax;
        p.wageTakeHome = p.wage - paidIn - p.step.withheld;
        p.employerCost = p.wage + p.bonus + p.contributions.employerTotal();
    }
    return year;
}

void AddTotals(YearPlan& plan)
{
    YearTotals& t = plan.totals;
    for (const MonthPlan& p : plan.months) {
        t.wages += p.wage;
        t.bonus += p.bonus;
        t.employeeContributions += p.contributions.employeeTotal();
        t.employerContributions += p.contributions.employerTotal();
        t.withheld += p.step.withheld;
        t.bonusTax += p.bonusTax;
        t.takeHome += p.takeHome;
        t.employerCost += p.employerCost;
    }
}

ReconciliationInput ReconciliationOf(const YearPlanInput& in, const YearPlan& plan)
{
    ReconciliationInput r;
    r.year = in.year;
    for (const MonthPlan& p : plan.months) {
        r.income += p.step.month.income;
        r.exemptIncome += p.step.month.exemptIncome;
        r.specialDeduction += p.step.month.specialDeduction;
        r.otherDeduction += p.step.month.otherDeduction;
    }
    // The reconciliation takes every month the items held, the certificate and serious illness.
    const int itemMonths = in.reconcileItemsForWholeYear ? 12 : 13 - in.firstMonthEmployed;
    r.specialAdditional = MonthlySpecialDeduction(in.year, in.special).total().times(itemMonths) +
                          CertificateDeduction(in.year, in.special) +
                          SeriousIllnessDeduction(in.year, in.special.seriousIllnessCost);
    r.income += in.otherIncome;
    r.specialDeduction += in.otherSpecialDeduction;
    r.withheld = plan.totals.withheld + plan.totals.bonusTax + in.otherWithheld;
    if (plan.bonusTreatment == BonusTreatment::Separate && !plan.totals.bonus.isZero())
        r.separateBonus = plan.totals.bonus;
    return r;
}

} // namespace

YearPlan PlanYear(const YearPlanInput& input)
{
    Validate(input);
    YearPlan plan;
    Money pensionSoFar;
    RunMonths(input, 13, plan, pensionSoFar);
    plan.bonusTreatment =
        BonusSeparate(input) ? BonusTreatment::Separate : BonusTreatment::Combined;
    AddTotals(plan);
    plan.reconciliationInput = ReconciliationOf(input, plan);
    PlanPayments(input, plan);
    if (!input.severance.isZero())
        plan.severance = TaxSeverance(input.year, input.severance, input.localAverageWage);
    if (!plan.totals.bonus.isZero()) {
        ReconciliationInput withoutBonus = plan.reconciliationInput;
        if (!withoutBonus.separateBonus)
            withoutBonus.income -= plan.totals.bonus;
        // The other comprehensive income's 收入额 counts with the wages.
        const Money paymentIncome = plan.reconciliation.income - plan.reconciliation.wageIncome;
        const Money rest = withoutBonus.income + paymentIncome - withoutBonus.exemptIncome -
                           kAnnualBasicDeduction.forTaxYear(input.year)->value -
                           withoutBonus.specialDeduction - withoutBonus.specialAdditional -
                           withoutBonus.otherDeduction;
        plan.bonusComparison = CompareBonus(input.year, rest, plan.totals.bonus);
    }
    return plan;
}

std::optional<Money> WageForTakeHome(const YearPlanInput& input, int month, Money target)
{
    Validate(input);
    if (month < input.firstMonthEmployed || month > 12)
        throw std::invalid_argument("the month is not employed");
    YearPlan before;
    Money pensionSoFar;
    const CumulativeWithholding year = RunMonths(input, month, before, pensionSoFar);
    MonthFigures deductions;
    deductions.exemptIncome = input.exemptIncome[month - 1];
    deductions.specialAdditional =
        MonthlySpecialDeduction(input.year, input.special).total() +
        (month == CertificateMonth(input) ? CertificateDeduction(input.year, input.special)
                                          : Money());
    deductions.otherDeduction = DeductibleOtherDeductions(input.year, input.other, pensionSoFar);
    const bool bonusWithWage = month == input.bonusMonth && !BonusSeparate(input);
    return IncomeForTakeHome(year, month, target, deductions, &input.contributions,
                             bonusWithWage ? input.bonus : Money());
}

std::array<std::optional<Money>, 12> WagesForTakeHome(const YearPlanInput& input, Money target)
{
    std::array<std::optional<Money>, 12> found{};
    YearPlanInput planned = input;
    for (int m = input.firstMonthEmployed; m <= 12; ++m) {
        found[m - 1] = WageForTakeHome(planned, m, target);
        if (!found[m - 1])
            break; // the later months build on this one
        planned.wages[m - 1] = *found[m - 1];
    }
    return found;
}

} // namespace tallyra::law
