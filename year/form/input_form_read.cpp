// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the input form: every box checked, the reasons and notes shown beside the boxes.
#include "law/laws.h"
#include "year/amount_text.h"
#include "year/form/input_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace tallyra::year {

using law::Money;

namespace {

// Insurance rates may be anything from 0 to 100 %; the housing fund is 5 % to 12 % of its base
// (建金管〔2005〕5号《关于住房公积金管理若干具体问题的指导意见》第三条：单位和职工缴存比例不应
// 低于5%，原则上不高于12%), or 0 where none is paid.
constexpr int kHighestRate = 100'00;
constexpr int kFundLowest = 5'00;
constexpr int kFundHighest = 12'00;

int Data(const QComboBox* box)
{
    return box->currentData().toInt();
}

void Choose(QComboBox* box, int value)
{
    const int index = box->findData(value);
    box->setCurrentIndex(index >= 0 ? index : 0);
}

QString Yuan(Money m)
{
    return ShortAmount(m);
}

// A refused value: its reason below its row (naming the box when the row has several) and in
// the list of problems.
void Refuse(FieldRow* row, QWidget* control, const QString& reason, QStringList& problems)
{
    const QString name = control->accessibleName();
    const QString text = row->controls().size() > 1 ? name + QStringLiteral("：") + reason : reason;
    row->showProblem(row->hasProblem() ? row->hint()->text() + QStringLiteral("；") + text : text);
    problems << name + QStringLiteral("：") + reason;
}

} // namespace

InputForm::Reading InputForm::read()
{
    for (const auto& r : rows_)
        r->clearHint();
    PlannerInputs in;
    QStringList problems;
    readIncome(in, problems);
    readContributions(in, problems);
    readSpecial(in, problems);
    readOther(in, problems);
    readReconciliation(in, problems);
    if (problems.isEmpty())
        checkAcross(in, problems);
    if (!problems.isEmpty())
        return {std::nullopt, problems};
    noteCaps(in);
    return {in, {}};
}

// An amount box's value; a refused text shows its reason beside the box and counts as zero.
Money InputForm::readMoney(QLineEdit* edit, QStringList& problems, std::optional<Money> empty) const
{
    const AmountReading r = ReadAmount(edit->text(), empty);
    if (!r.value)
        Refuse(rowOf(edit), edit, r.reason, problems);
    return r.value.value_or(Money());
}

void InputForm::readIncome(PlannerInputs& in, QStringList& problems)
{
    law::YearPlanInput& p = in.plan;
    p.year = Data(c_.yearBox);
    p.firstMonthEmployed = Data(c_.firstMonthBox);
    in.wage = readMoney(c_.wageEdit, problems, std::nullopt);
    for (int m = 1; m <= 12; ++m) {
        in.wageEdited[m - 1] = edits_[m - 1].has_value();
        p.wages[m - 1] = edits_[m - 1].value_or(in.wage);
    }
    p.bonus = readMoney(c_.bonusEdit, problems);
    p.bonusMonth = Data(c_.bonusMonthBox);
    p.bonusTreatment = c_.bonusCombinedOption->isChecked() ? law::BonusTreatment::Combined
                                                           : law::BonusTreatment::Separate;
}

void InputForm::readContributions(PlannerInputs& in, QStringList& problems)
{
    law::ContributionSetup& c = in.plan.contributions;
    auto money = [&](QLineEdit* edit) { return readMoney(edit, problems); };
    auto base = [&](QLineEdit* fixed, QLineEdit* floor, QLineEdit* cap) {
        law::ContributionBase b;
        if (!fixed->text().trimmed().isEmpty())
            b.fixed = money(fixed);
        b.floor = money(floor);
        b.cap = money(cap);
        if (!b.cap.isZero() && b.cap < b.floor)
            Refuse(rowOf(cap), cap, QStringLiteral("上限不能低于下限"), problems);
        return b;
    };
    c.socialInsuranceBase = base(c_.socialBaseEdit, c_.socialFloorEdit, c_.socialCapEdit);
    c.housingFundBase = base(c_.fundBaseEdit, c_.fundFloorEdit, c_.fundCapEdit);

    auto rate = [&](QLineEdit* edit, int lowest, int highest, bool alsoZero) {
        const RateReading r = ReadRate(edit->text(), lowest, highest, alsoZero);
        if (!r.basisPoints)
            Refuse(rowOf(edit), edit, r.reason, problems);
        return r.basisPoints.value_or(0);
    };
    c.employee.pension = rate(c_.pensionRateEdit, 0, kHighestRate, false);
    c.employer.pension = rate(c_.employerPensionRateEdit, 0, kHighestRate, false);
    c.employee.medical = rate(c_.medicalRateEdit, 0, kHighestRate, false);
    c.employer.medical = rate(c_.employerMedicalRateEdit, 0, kHighestRate, false);
    c.employee.unemployment = rate(c_.unemploymentRateEdit, 0, kHighestRate, false);
    c.employer.unemployment = rate(c_.employerUnemploymentRateEdit, 0, kHighestRate, false);
    c.employer.injury = rate(c_.employerInjuryRateEdit, 0, kHighestRate, false);
    c.employee.housingFund = rate(c_.fundRateEdit, kFundLowest, kFundHighest, true);
    c.employer.housingFund = rate(c_.employerFundRateEdit, kFundLowest, kFundHighest, true);
}

void InputForm::readSpecial(PlannerInputs& in, QStringList& problems)
{
    law::SpecialDeductionItems& s = in.plan.special;
    s.childrenInEducation = c_.childrenSpin->value();
    s.childEducationShare = Data(c_.childShareBox);
    s.infants = c_.infantSpin->value();
    s.infantShare = Data(c_.infantShareBox);
    s.continuingDegree = c_.degreeCheck->isChecked();
    s.certificateObtained = c_.certificateCheck->isChecked();
    s.certificateMonth = s.certificateObtained ? Data(c_.certificateMonthBox) : 0;
    s.housing = law::Housing(Data(c_.housingBox));
    s.housingLoanShare = Data(c_.loanShareBox);
    s.rentTier = Data(c_.rentTierBox);
    s.elderlyOnlyChild = Data(c_.elderlyBox) == 1;
    if (Data(c_.elderlyBox) == 2) {
        const AmountReading r = ReadAmount(c_.elderlyShareEdit->text());
        if (!r.value)
            Refuse(rowOf(c_.elderlyShareEdit), c_.elderlyShareEdit, r.reason, problems);
        s.elderlyShare = r.value.value_or(Money());
    }
    s.seriousIllnessCost = readMoney(c_.illnessEdit, problems);
}

void InputForm::readOther(PlannerInputs& in, QStringList& problems)
{
    law::YearPlanInput& p = in.plan;
    auto money = [&](QLineEdit* edit) { return readMoney(edit, problems); };
    p.other.commercialHealthInsurance = money(c_.healthInsuranceEdit);
    p.other.personalPension = money(c_.personalPensionEdit);
    p.other.other = money(c_.otherDeductionEdit);
    p.wholeYearDeduction = c_.wholeYearCheck->isChecked();
}

void InputForm::readReconciliation(PlannerInputs& in, QStringList& problems)
{
    law::YearPlanInput& p = in.plan;
    auto money = [&](QLineEdit* edit) { return readMoney(edit, problems); };
    p.reconcileItemsForWholeYear =
        p.firstMonthEmployed == 1 || c_.reconcileWholeYearCheck->isChecked();
    p.otherIncome = money(c_.otherIncomeEdit);
    p.otherSpecialDeduction = money(c_.otherContributionsEdit);
    p.otherWithheld = money(c_.otherWithheldEdit);
}

void InputForm::checkAcross(PlannerInputs& in, QStringList& problems)
{
    const law::YearPlanInput& p = in.plan;
    if (!p.bonus.isZero() && p.bonusMonth < p.firstMonthEmployed)
        Refuse(rowOf(c_.bonusMonthBox), c_.bonusMonthBox,
               QStringLiteral("发放月份早于入职月份，奖金不会计入本单位的收入"), problems);
}

// How accepted values are taken: caps, items the year does not have yet, months moved.
void InputForm::noteCaps(const PlannerInputs& in)
{
    const law::YearPlanInput& p = in.plan;
    const auto amounts = law::SpecialDeductionAmountsFor(p.year);
    if (p.special.infants > 0 && amounts && amounts->infantCare.isZero())
        rowOf(c_.infantSpin)->showNote(QStringLiteral("%1年尚无此项扣除（2022年起）").arg(p.year));
    if (amounts && Data(c_.elderlyBox) == 2 && p.special.elderlyShare > amounts->elderlyShareCap)
        rowOf(c_.elderlyShareEdit)
            ->showNote(QStringLiteral("分摊额每月不超过 %1 元，按 %1 元扣除")
                           .arg(Yuan(amounts->elderlyShareCap)));
    if (p.special.certificateObtained && p.special.certificateMonth > 0 &&
        p.special.certificateMonth < p.firstMonthEmployed)
        rowOf(c_.certificateCheck)->showNote(QStringLiteral("早于入职月份，改在入职当月扣除"));
    const law::DeductionCap& health = law::kCommercialHealthInsuranceCap.latest().value;
    if (p.other.commercialHealthInsurance > health.monthly)
        rowOf(c_.healthInsuranceEdit)
            ->showNote(QStringLiteral("每月最多扣除 %1 元").arg(Yuan(health.monthly)));
    const law::DeductionCap& pension = law::kPersonalPensionCap.latest().value;
    if (!law::kPersonalPensionCap.forTaxYear(p.year) && !p.other.personalPension.isZero())
        rowOf(c_.personalPensionEdit)->showNote(QStringLiteral("2022年起才可扣除"));
    else if (p.other.personalPension.times(13 - p.firstMonthEmployed) > pension.annual)
        rowOf(c_.personalPensionEdit)
            ->showNote(
                QStringLiteral("全年最多扣除 %1 元，额度用完后不再扣除").arg(Yuan(pension.annual)));
    if (p.wholeYearDeduction && p.firstMonthEmployed > 1)
        rowOf(c_.wholeYearCheck)->showNote(QStringLiteral("年中入职一般不符合此条件"));
}

void InputForm::setInputs(const PlannerInputs& in)
{
    filling_ = true;
    const law::YearPlanInput& p = in.plan;
    Choose(c_.yearBox, std::clamp(p.year, 2019, latestYear_));
    Choose(c_.firstMonthBox, p.firstMonthEmployed);
    c_.wageEdit->setText(TypedAmount(in.wage));
    for (int m = 1; m <= 12; ++m)
        edits_[m - 1] = in.wageEdited[m - 1] ? std::optional(p.wages[m - 1]) : std::nullopt;
    auto optional = [](QLineEdit* edit, Money m) {
        edit->setText(m.isZero() ? QString() : TypedAmount(m));
    };
    optional(c_.bonusEdit, p.bonus);
    Choose(c_.bonusMonthBox, p.bonusMonth);
    (p.bonusTreatment == law::BonusTreatment::Combined ? c_.bonusCombinedOption
                                                       : c_.bonusSeparateOption)
        ->setChecked(true);
    const law::ContributionSetup& c = p.contributions;
    c_.socialBaseEdit->setText(
        c.socialInsuranceBase.fixed ? TypedAmount(*c.socialInsuranceBase.fixed) : QString());
    optional(c_.socialFloorEdit, c.socialInsuranceBase.floor);
    optional(c_.socialCapEdit, c.socialInsuranceBase.cap);
    c_.fundBaseEdit->setText(c.housingFundBase.fixed ? TypedAmount(*c.housingFundBase.fixed)
                                                     : QString());
    optional(c_.fundFloorEdit, c.housingFundBase.floor);
    optional(c_.fundCapEdit, c.housingFundBase.cap);
    c_.pensionRateEdit->setText(RateText(c.employee.pension));
    c_.employerPensionRateEdit->setText(RateText(c.employer.pension));
    c_.medicalRateEdit->setText(RateText(c.employee.medical));
    c_.employerMedicalRateEdit->setText(RateText(c.employer.medical));
    c_.unemploymentRateEdit->setText(RateText(c.employee.unemployment));
    c_.employerUnemploymentRateEdit->setText(RateText(c.employer.unemployment));
    c_.employerInjuryRateEdit->setText(RateText(c.employer.injury));
    c_.fundRateEdit->setText(RateText(c.employee.housingFund));
    c_.employerFundRateEdit->setText(RateText(c.employer.housingFund));

    const law::SpecialDeductionItems& s = p.special;
    c_.childrenSpin->setValue(s.childrenInEducation);
    Choose(c_.childShareBox, s.childEducationShare);
    c_.infantSpin->setValue(s.infants);
    Choose(c_.infantShareBox, s.infantShare);
    c_.degreeCheck->setChecked(s.continuingDegree);
    c_.certificateCheck->setChecked(s.certificateObtained);
    Choose(c_.certificateMonthBox, s.certificateMonth);
    Choose(c_.housingBox, int(s.housing));
    Choose(c_.loanShareBox, s.housingLoanShare);
    Choose(c_.rentTierBox, s.rentTier);
    Choose(c_.elderlyBox, s.elderlyOnlyChild ? 1 : s.elderlyShare.isZero() ? 0 : 2);
    optional(c_.elderlyShareEdit, s.elderlyShare);
    optional(c_.illnessEdit, s.seriousIllnessCost);
    optional(c_.healthInsuranceEdit, p.other.commercialHealthInsurance);
    optional(c_.personalPensionEdit, p.other.personalPension);
    optional(c_.otherDeductionEdit, p.other.other);
    c_.wholeYearCheck->setChecked(p.wholeYearDeduction);
    c_.reconcileWholeYearCheck->setChecked(p.reconcileItemsForWholeYear);
    optional(c_.otherIncomeEdit, p.otherIncome);
    optional(c_.otherContributionsEdit, p.otherSpecialDeduction);
    optional(c_.otherWithheldEdit, p.otherWithheld);
    filling_ = false;
    showYearLaw(Data(c_.yearBox));
    showChoices();
    emit changed();
}

void InputForm::setMonthWage(int month, Money wage)
{
    edits_[month - 1] = wage;
    emit changed();
}

void InputForm::setWagesFrom(int month, Money wage)
{
    for (int m = month; m <= 12; ++m)
        edits_[m - 1] = wage;
    emit changed();
}

void InputForm::clearWageEdits()
{
    edits_.fill(std::nullopt);
    emit changed();
}

bool InputForm::hasWageEdits() const
{
    for (const auto& edit : edits_)
        if (edit)
            return true;
    return false;
}

// The law the year implies, and the year's legal amount beside each deduction item.
void InputForm::showYearLaw(int year)
{
    const law::WageLaw* wageLaw = law::LawFor({year, 1});
    const bool separate = law::TaxBonusSeparately(year, Money()).has_value();
    rowOf(c_.yearBox)
        ->setLegal(QString::fromUtf8(wageLaw->name) + QStringLiteral("；年终奖") +
                   (separate ? QStringLiteral("可单独计税") : QStringLiteral("只能并入综合所得")));
    // The separate treatment ends with 2027; a later year's bonus is combined whatever is chosen.
    c_.bonusSeparateOption->setEnabled(separate);
    rowOf(c_.bonusSeparateOption)
        ->setLegal(separate ? QString() : QStringLiteral("%1年起只能并入综合所得").arg(year));
    const auto a = law::SpecialDeductionAmountsFor(year);
    rowOf(c_.childrenSpin)->setLegal(QStringLiteral("每人每月 %1 元").arg(Yuan(a->childEducation)));
    rowOf(c_.infantSpin)
        ->setLegal(a->infantCare.isZero()
                       ? QStringLiteral("2022年起")
                       : QStringLiteral("每人每月 %1 元").arg(Yuan(a->infantCare)));
    rowOf(c_.degreeCheck)->setLegal(QStringLiteral("每月 %1 元").arg(Yuan(a->continuingDegree)));
    rowOf(c_.certificateCheck)
        ->setLegal(QStringLiteral("当年 %1 元").arg(Yuan(a->certificateYear)));
    const auto housing = law::Housing(Data(c_.housingBox));
    rowOf(c_.housingBox)
        ->setLegal(
            housing == law::Housing::Loan ? QStringLiteral("每月 %1 元").arg(Yuan(a->housingLoan))
            : housing == law::Housing::Rent
                ? QStringLiteral("每月 %1 元").arg(Yuan(a->rent[Data(c_.rentTierBox) - 1]))
                : QStringLiteral("贷款利息与租金二选一"),
            QStringLiteral("住房贷款利息每月 %1 元；住房租金每月 %2 / %3 / %4 元")
                .arg(Yuan(a->housingLoan), Yuan(a->rent[0]), Yuan(a->rent[1]), Yuan(a->rent[2])));
    rowOf(c_.elderlyBox)
        ->setLegal(Data(c_.elderlyBox) == 2
                       ? QStringLiteral("每人至多 %1 元").arg(Yuan(a->elderlyShareCap))
                       : QStringLiteral("每月 %1 元").arg(Yuan(a->elderlyOnlyChild)),
                   QStringLiteral("独生子女每月 %1 元；非独生子女分摊，每人每月不超过 %2 元")
                       .arg(Yuan(a->elderlyOnlyChild), Yuan(a->elderlyShareCap)));
    rowOf(c_.illnessEdit)
        ->setLegal(QStringLiteral("超过 %1 元的部分，至多 %2 元")
                       .arg(Yuan(a->illnessFloor), Yuan(a->illnessCap)),
                   QStringLiteral("自付超过 %1 元的部分，每年最多 %2 元，在年度汇算时扣除")
                       .arg(Yuan(a->illnessFloor), Yuan(a->illnessCap)));
    rowOf(c_.healthInsuranceEdit)
        ->setLegal(QStringLiteral("每月最多 %1 元")
                       .arg(Yuan(law::kCommercialHealthInsuranceCap.latest().value.monthly)));
    rowOf(c_.personalPensionEdit)
        ->setLegal(QStringLiteral("全年最多 %1 元")
                       .arg(Yuan(law::kPersonalPensionCap.latest().value.annual)));
}

} // namespace tallyra::year
