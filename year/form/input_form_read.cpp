// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the input form: every box checked, the reasons and notes shown beside the boxes.
#include "law/laws.h"
#include "law/parameters.h"
#include "law/plannable_years.h"
#include "law/withholding.h"
#include "year/amount_text.h"
#include "year/form/input_form.h"
#include "year/form/other_income_inputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cstring>

namespace tallyra::year {

using law::Money;

namespace {

// The value of the item chosen in a list box.
int ChosenValue(const QComboBox* box)
{
    return box->currentData().toInt();
}

// Chooses the item holding `value`, or the first where none does.
void SelectValue(QComboBox* box, int value)
{
    const int index = box->findData(value);
    box->setCurrentIndex(index >= 0 ? index : 0);
}

// The first tax year a deduction counts for: the first value of its series that deducts.
int FirstYearOfInfantCare()
{
    for (const auto& value : law::kInfantCareDeduction.values)
        if (!value.value.isZero())
            return value.from.year;
    return law::kInfantCareDeduction.latest().from.year;
}

int FirstYearOfPersonalPension()
{
    return law::kPersonalPensionCap.first().from.year;
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
    in.plan.year = ChosenValue(c_.yearBox);
    const auto fields = InputFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        readField(fields[i], boxes_[i], in, problems);
        checkLimits(fields[i], in, problems);
    }
    readUndeclared(in);
    others_->read(in.plan, problems);
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

void InputForm::readField(const InputField& field, QWidget* box, PlannerInputs& in,
                          QStringList& problems)
{
    auto* edit = qobject_cast<QLineEdit*>(box);
    switch (field.kind) {
    case FieldKind::Amount:
        if (!field.askedBy ||
            ChosenValue(findChild<QComboBox*>(QLatin1String(field.askedBy))) == field.askedWhen)
            MemberOf<Money>(field, in) = readMoney(edit, problems);
        break;
    case FieldKind::WageAmount:
        MemberOf<Money>(field, in) = readMoney(edit, problems, std::nullopt);
        break;
    case FieldKind::BaseAmount:
        if (!edit->text().trimmed().isEmpty())
            MemberOf<std::optional<Money>>(field, in) = readMoney(edit, problems);
        break;
    case FieldKind::Rate: {
        const RateReading r = ReadRate(edit->text(), field.lowest, field.highest, field.alsoZero);
        if (!r.basisPoints)
            Refuse(rowOf(edit), edit, r.reason, problems);
        SetInteger(field, in, r.basisPoints.value_or(0));
        break;
    }
    case FieldKind::Count:
        SetInteger(field, in, static_cast<QSpinBox*>(box)->value());
        break;
    case FieldKind::Choice:
    case FieldKind::Month:
        SetInteger(field, in, ChosenValue(static_cast<QComboBox*>(box)));
        break;
    case FieldKind::Flag:
        MemberOf<bool>(field, in) = static_cast<QCheckBox*>(box)->isChecked();
        break;
    }
}

// A base's cap, read just after its floor, may not be below it.
void InputForm::checkLimits(const InputField& field, const PlannerInputs& in, QStringList& problems)
{
    static const std::pair<const char*, const char*> kLimits[] = {
        {"socialFloorEdit", "socialCapEdit"}, {"fundFloorEdit", "fundCapEdit"}};
    for (const auto& [floorName, capName] : kLimits) {
        if (std::strcmp(field.objectName, capName) != 0)
            continue;
        const Money floor = MemberOf<Money>(InputFieldNamed(floorName), in);
        const Money cap = MemberOf<Money>(field, in);
        if (!cap.isZero() && cap < floor)
            Refuse(rowOf(boxes_[std::size_t(&field - InputFields().data())]),
                   boxes_[std::size_t(&field - InputFields().data())],
                   QStringLiteral("上限不能低于下限"), problems);
    }
}

// What is not one box and one member: the year, the wages edited in the table, the bonus's
// treatment, the elderly choice, and what a box means only with another's value.
void InputForm::readUndeclared(PlannerInputs& in)
{
    law::YearPlanInput& p = in.plan;
    for (int m = 1; m <= 12; ++m) {
        in.wageEdited[m - 1] = edits_[m - 1].has_value();
        p.wages[m - 1] = edits_[m - 1].value_or(in.wage);
    }
    p.bonusTreatment = c_.bonusCombinedOption->isChecked() ? law::BonusTreatment::Combined
                                                           : law::BonusTreatment::Separate;
    if (!p.special.certificateObtained)
        p.special.certificateMonth = 0;
    p.special.elderlyOnlyChild = ChosenValue(c_.elderlyBox) == 1;
    p.reconcileItemsForWholeYear = p.firstMonthEmployed == 1 || p.reconcileItemsForWholeYear;
    // Read before the box is greyed out for a year without the rule, so ask the law too.
    p.wholeYearDeduction = p.wholeYearDeduction && law::WholeYearDeductionFor(p.year) != nullptr;
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
        rowOf(c_.infantSpin)
            ->showNote(QStringLiteral("%1年尚无此项扣除（%2年起）")
                           .arg(p.year)
                           .arg(FirstYearOfInfantCare()));
    if (amounts && ChosenValue(c_.elderlyBox) == 2 &&
        p.special.elderlyShare > amounts->elderlyShareCap)
        rowOf(c_.elderlyShareEdit)
            ->showNote(QStringLiteral("分摊额每月不超过 %1 元，按 %1 元扣除")
                           .arg(ShortAmount(amounts->elderlyShareCap)));
    if (p.special.certificateObtained && p.special.certificateMonth > 0 &&
        p.special.certificateMonth < p.firstMonthEmployed)
        rowOf(c_.certificateCheck)->showNote(QStringLiteral("早于入职月份，改在入职当月扣除"));
    const law::DeductionCap& health = law::kCommercialHealthInsuranceCap.latest().value;
    if (p.other.commercialHealthInsurance > health.monthly)
        rowOf(c_.healthInsuranceEdit)
            ->showNote(QStringLiteral("每月最多扣除 %1 元").arg(ShortAmount(health.monthly)));
    const law::DeductionCap& pension = law::kPersonalPensionCap.latest().value;
    if (!law::kPersonalPensionCap.forTaxYear(p.year) && !p.other.personalPension.isZero())
        rowOf(c_.personalPensionEdit)
            ->showNote(QStringLiteral("%1年起才可扣除").arg(FirstYearOfPersonalPension()));
    else if (p.other.personalPension.times(13 - p.firstMonthEmployed) > pension.annual)
        rowOf(c_.personalPensionEdit)
            ->showNote(QStringLiteral("全年最多扣除 %1 元，额度用完后不再扣除")
                           .arg(ShortAmount(pension.annual)));
    if (p.wholeYearDeduction && p.firstMonthEmployed > 1)
        rowOf(c_.wholeYearCheck)->showNote(QStringLiteral("年中入职一般不符合此条件"));
}

void InputForm::setField(const InputField& field, QWidget* box, const PlannerInputs& in)
{
    auto* edit = qobject_cast<QLineEdit*>(box);
    switch (field.kind) {
    case FieldKind::Amount: {
        const Money m = MemberOf<Money>(field, in);
        edit->setText(m.isZero() ? QString() : TypedAmount(m));
        break;
    }
    case FieldKind::WageAmount:
        edit->setText(TypedAmount(MemberOf<Money>(field, in)));
        break;
    case FieldKind::BaseAmount: {
        const std::optional<Money>& m = MemberOf<std::optional<Money>>(field, in);
        edit->setText(m ? TypedAmount(*m) : QString());
        break;
    }
    case FieldKind::Rate:
        edit->setText(RateText(IntegerOf(field, in)));
        break;
    case FieldKind::Count:
        static_cast<QSpinBox*>(box)->setValue(IntegerOf(field, in));
        break;
    case FieldKind::Choice:
    case FieldKind::Month:
        SelectValue(static_cast<QComboBox*>(box), IntegerOf(field, in));
        break;
    case FieldKind::Flag:
        static_cast<QCheckBox*>(box)->setChecked(MemberOf<bool>(field, in));
        break;
    }
}

void InputForm::setInputs(const PlannerInputs& in)
{
    filling_ = true;
    const law::YearPlanInput& p = in.plan;
    SelectValue(c_.yearBox, std::clamp(p.year, law::FirstPlannableYear(), latestYear_));
    for (int m = 1; m <= 12; ++m)
        edits_[m - 1] = in.wageEdited[m - 1] ? std::optional(p.wages[m - 1]) : std::nullopt;
    (p.bonusTreatment == law::BonusTreatment::Combined ? c_.bonusCombinedOption
                                                       : c_.bonusSeparateOption)
        ->setChecked(true);
    separateChosen_ = false;
    const law::SpecialDeductionItems& s = p.special;
    SelectValue(c_.elderlyBox, s.elderlyOnlyChild ? 1 : s.elderlyShare.isZero() ? 0 : 2);
    const auto fields = InputFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        setField(fields[i], boxes_[i], in);
    wholeYearWanted_ = p.wholeYearDeduction;
    others_->set(p);
    filling_ = false;
    showYearLaw(ChosenValue(c_.yearBox));
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
        ->showLegalLine(
            QString::fromUtf8(wageLaw->name) + QStringLiteral("；年终奖") +
            (separate ? QStringLiteral("可单独计税") : QStringLiteral("只能并入综合所得")));
    // The separate treatment ends with the rule; a later year's bonus is combined, and the
    // option shown is the one taken. A separate treatment chosen comes back with a year that has
    // it.
    if (!separate && c_.bonusSeparateOption->isChecked()) {
        separateChosen_ = true;
        c_.bonusCombinedOption->setChecked(true);
    } else if (separate && separateChosen_) {
        separateChosen_ = false;
        c_.bonusSeparateOption->setChecked(true);
    }
    c_.bonusSeparateOption->setEnabled(separate);
    const std::optional<law::RuleEnd> end = law::SeparateBonusTaxationEnd();
    rowOf(c_.bonusSeparateOption)
        ->showLegalLine(separate || !end
                            ? QString()
                            : QStringLiteral("%1年起只能并入综合所得").arg(end->firstYearWithout));
    showWholeYearRule(year);
    showContributionRules(year);
    const auto a = law::SpecialDeductionAmountsFor(year);
    rowOf(c_.childrenSpin)
        ->showLegalLine(QStringLiteral("每人每月 %1 元").arg(ShortAmount(a->childEducation)));
    rowOf(c_.infantSpin)
        ->showLegalLine(a->infantCare.isZero()
                            ? QStringLiteral("%1年起").arg(FirstYearOfInfantCare())
                            : QStringLiteral("每人每月 %1 元").arg(ShortAmount(a->infantCare)));
    rowOf(c_.degreeCheck)
        ->showLegalLine(QStringLiteral("每月 %1 元").arg(ShortAmount(a->continuingDegree)));
    rowOf(c_.certificateCheck)
        ->showLegalLine(QStringLiteral("当年 %1 元").arg(ShortAmount(a->certificateYear)));
    const auto housing = law::Housing(ChosenValue(c_.housingBox));
    rowOf(c_.housingBox)
        ->showLegalLine(housing == law::Housing::Loan
                            ? QStringLiteral("每月 %1 元").arg(ShortAmount(a->housingLoan))
                        : housing == law::Housing::Rent
                            ? QStringLiteral("每月 %1 元")
                                  .arg(ShortAmount(a->rent[ChosenValue(c_.rentTierBox) - 1]))
                            : QStringLiteral("贷款利息与租金二选一"),
                        QStringLiteral("住房贷款利息每月 %1 元；住房租金每月 %2 / %3 / %4 元")
                            .arg(ShortAmount(a->housingLoan), ShortAmount(a->rent[0]),
                                 ShortAmount(a->rent[1]), ShortAmount(a->rent[2])));
    rowOf(c_.elderlyBox)
        ->showLegalLine(
            ChosenValue(c_.elderlyBox) == 2
                ? QStringLiteral("每人至多 %1 元").arg(ShortAmount(a->elderlyShareCap))
                : QStringLiteral("每月 %1 元").arg(ShortAmount(a->elderlyOnlyChild)),
            QStringLiteral("独生子女每月 %1 元；非独生子女分摊，每人每月不超过 %2 元")
                .arg(ShortAmount(a->elderlyOnlyChild), ShortAmount(a->elderlyShareCap)));
    rowOf(c_.illnessEdit)
        ->showLegalLine(QStringLiteral("超过 %1 元的部分，至多 %2 元")
                            .arg(ShortAmount(a->illnessFloor), ShortAmount(a->illnessCap)),
                        QStringLiteral("自付超过 %1 元的部分，每年最多 %2 元，在年度汇算时扣除")
                            .arg(ShortAmount(a->illnessFloor), ShortAmount(a->illnessCap)));
    rowOf(c_.healthInsuranceEdit)
        ->showLegalLine(
            QStringLiteral("每月最多 %1 元")
                .arg(ShortAmount(law::kCommercialHealthInsuranceCap.latest().value.monthly)));
    // A year before the personal pension deducts none of it: its cap is not shown there.
    const auto* pensionCap = law::kPersonalPensionCap.forTaxYear(year);
    rowOf(c_.personalPensionEdit)
        ->showLegalLine(
            pensionCap ? QStringLiteral("全年最多 %1 元").arg(ShortAmount(pensionCap->value.annual))
                       : QStringLiteral("%1年起").arg(FirstYearOfPersonalPension()));
}

// The whole-year deduction exists from its announcement: greyed out with the reason for an
// earlier year, the choice kept for when a later year is chosen again.
void InputForm::showWholeYearRule(int year)
{
    QCheckBox* box = c_.wholeYearCheck;
    const bool applies = law::WholeYearDeductionFor(year) != nullptr;
    if (box->isEnabled() && !applies)
        wholeYearWanted_ = box->isChecked();
    else if (!box->isEnabled() && applies)
        box->setChecked(wholeYearWanted_);
    box->setEnabled(applies);
    if (!applies)
        box->setChecked(false);
    const auto& first = law::kWholeYearWithholdingDeduction.first();
    if (applies) {
        const QString limit =
            TenThousandYuanText(law::WholeYearDeductionFor(year)->value.priorYearWageLimit);
        rowOf(box)->showLegalLine(
            QStringLiteral("上年全年在本单位、工资不超过%1万").arg(limit),
            QStringLiteral("上一完整纳税年度各月均在本单位领取工资且全年工资不超过%1万元")
                .arg(limit));
    } else
        rowOf(box)->showLegalLine(QStringLiteral("%1年起（%2）")
                                      .arg(first.from.year)
                                      .arg(QString::fromUtf8(first.source.document)));
}

// How much of the housing fund is tax free and of the annuity deductible, beside their rates.
void InputForm::showContributionRules(int year)
{
    const law::YearMonth january{year, 1};
    const auto* fund = law::kHousingFundTaxFreeRate.inMonth(january);
    const auto* fundTimes = law::kHousingFundTaxFreeBaseMultiple.inMonth(january);
    // No room beside the fund's two lines of rates: its rule is their tooltip.
    const QString fundRule =
        fund && fundTimes
            ? QStringLiteral("单位和个人各自缴存的住房公积金（含补充公积金）超过缴存基数 %1% 的部分"
                             "计税；基数以当地上年职工月平均工资的 %2 倍为限（%3）")
                  .arg(RateText(fund->value))
                  .arg(fundTimes->value)
                  .arg(QString::fromUtf8(fund->source.document))
            : QString();
    rowOf(c_.fundRateEdit)->caption()->setToolTip(fundRule);
    for (QWidget* box : rowOf(c_.fundRateEdit)->controls())
        box->setToolTip(fundRule);
    const auto* annuity = law::kAnnuityDeductibleRate.inMonth(january);
    const auto* annuityTimes = law::kAnnuityBaseMultiple.inMonth(january);
    rowOf(c_.annuityRateEdit)
        ->showLegalLine(annuity ? QStringLiteral("个人 %1% 以内扣除").arg(RateText(annuity->value))
                                : QString(),
                        annuity && annuityTimes
                            ? QStringLiteral("个人缴费不超过年金基数 %1% 的部分在计税时扣除，"
                                             "基数以当地上年职工月平均工资的 %2 倍为限；单位缴费"
                                             "计入个人账户时不计税（%3）")
                                  .arg(RateText(annuity->value))
                                  .arg(annuityTimes->value)
                                  .arg(QString::fromUtf8(annuity->source.document))
                            : QString());
}

} // namespace tallyra::year
