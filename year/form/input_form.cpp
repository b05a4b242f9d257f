// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/form/input_form.h"

#include "law/laws.h"
#include "law/parameters.h"
#include "law/plannable_years.h"
#include "year/amount_text.h"
#include "year/form/input_fields.h"
#include "year/form/other_income_inputs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tallyra::year {

using law::Money;

namespace {

// The words between and after the boxes of a row: units, "至".
QLabel* LabelBetweenBoxes(const QString& text)
{
    return new QLabel(text);
}

} // namespace

InputForm::InputForm(int latestYear, QWidget* parent)
    : QWidget(parent)
    , latestYear_(latestYear)
    , boxes_(InputFields().size(), nullptr)
{
    groups_ = new QVBoxLayout(this);
    buildIncome();
    buildContributions();
    buildSpecial();
    buildOther();
    buildReconciliation();
    connectChanges();
    // A list that notifies its own changes, rows added later included.
    others_ = new OtherIncomeInputs;
    groups_->addWidget(others_);
    connect(others_, &OtherIncomeInputs::changed, this, [this] {
        if (!filling_)
            emit changed();
    });
    groups_->addStretch(1);
    setInputs(DefaultInputs(latestYear - 1));
}

InputForm::~InputForm() = default;

QLineEdit* InputForm::moneyEdit(const char* name, const QString& placeholder)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setPlaceholderText(placeholder);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000.00")) + 16);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000,000,000.00")) +
                          16);
    return edit;
}

QLineEdit* InputForm::rateEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000.00")) + 16);
    return edit;
}

// The box of a declared input, made as its kind asks.
QWidget* InputForm::box(const char* objectName)
{
    const InputField& field = InputFieldNamed(objectName);
    const QString text = QString::fromUtf8(field.text ? field.text : "");
    QWidget* made = nullptr;
    switch (field.kind) {
    case FieldKind::Amount:
    case FieldKind::WageAmount:
    case FieldKind::BaseAmount:
        made = moneyEdit(objectName, text);
        break;
    case FieldKind::Rate:
        made = rateEdit(objectName);
        break;
    case FieldKind::Count:
        made = countSpin(field);
        break;
    case FieldKind::Choice:
    case FieldKind::Month:
        made = choiceBox(field);
        break;
    case FieldKind::Flag:
        made = new QCheckBox(text);
        made->setObjectName(QLatin1String(objectName));
        break;
    }
    boxes_[std::size_t(&field - InputFields().data())] = made;
    return made;
}

QSpinBox* InputForm::countSpin(const InputField& field)
{
    auto* spin = new QSpinBox;
    spin->setObjectName(QLatin1String(field.objectName));
    spin->setRange(field.lowest, field.highest);
    return spin;
}

QComboBox* InputForm::choiceBox(const InputField& field)
{
    auto* choice = new QComboBox;
    choice->setObjectName(QLatin1String(field.objectName));
    for (const FieldChoice& item : field.choices)
        choice->addItem(QString::fromUtf8(item.caption), item.value);
    if (field.kind == FieldKind::Month) {
        if (field.lowest == 0)
            choice->addItem(QString::fromUtf8(field.text), 0);
        const QString after = QString::fromUtf8(field.unit ? field.unit : "");
        for (int m = 1; m <= 12; ++m)
            choice->addItem(QStringLiteral("%1月").arg(m) + after, m);
    }
    return choice;
}

// A row whose controls are named as declared (an undeclared one by `names`, else by the row's
// caption).
FieldRow* InputForm::row(const QString& caption, std::initializer_list<QWidget*> controls,
                         std::initializer_list<QString> names)
{
    rows_.push_back(
        std::make_unique<FieldRow>(form_, caption, controls, namesOf(controls, names, caption)));
    return rows_.back().get();
}

// A second line of a row, its controls named as the row's are.
void InputForm::line(FieldRow* row, std::initializer_list<QWidget*> controls,
                     std::initializer_list<QString> names)
{
    row->addLine(controls, namesOf(controls, names, row->caption()->text()));
}

QStringList InputForm::namesOf(std::initializer_list<QWidget*> controls,
                               std::initializer_list<QString> names, const QString& caption) const
{
    QStringList given = names;
    QStringList named;
    for (QWidget* control : controls) {
        if (qobject_cast<QLabel*>(control))
            continue;
        const InputField* field = declaredFor(control);
        named << (field              ? WithoutAccessKey(QString::fromUtf8(field->caption))
                  : !given.isEmpty() ? given.takeFirst()
                                     : WithoutAccessKey(caption));
    }
    return named;
}

// The row of a declared input alone: its caption, its box, its unit.
FieldRow* InputForm::fieldRow(QWidget* control)
{
    const InputField& field = *declaredFor(control);
    const QString caption = QString::fromUtf8(field.caption);
    if (!field.unit)
        return row(caption, {control});
    return row(caption, {control, LabelBetweenBoxes(QString::fromUtf8(field.unit))});
}

const InputField* InputForm::declaredFor(const QWidget* control) const
{
    const auto at = std::find(boxes_.begin(), boxes_.end(), control);
    return at == boxes_.end() ? nullptr : &InputFields()[std::size_t(at - boxes_.begin())];
}

FieldRow* InputForm::rowOf(QWidget* control) const
{
    for (const auto& r : rows_)
        if (r->controls().contains(control))
            return r.get();
    return nullptr;
}

void InputForm::buildIncome()
{
    auto* group = new QGroupBox(QStringLiteral("收入与年终奖"));
    form_ = new QFormLayout(group);
    groups_->addWidget(group);
    c_.yearBox = new QComboBox;
    c_.yearBox->setObjectName(QStringLiteral("yearBox"));
    for (int y = law::FirstPlannableYear(); y <= latestYear_; ++y)
        c_.yearBox->addItem(QStringLiteral("%1年").arg(y), y);
    row(QStringLiteral("年份(&Y)"), {c_.yearBox});
    c_.firstMonthBox = made<QComboBox>("firstMonthBox");
    fieldRow(c_.firstMonthBox)->showLegalLine(QStringLiteral("本年在本单位开始任职的月份"));
    c_.wageEdit = made<QLineEdit>("wageEdit");
    fieldRow(c_.wageEdit)
        ->showLegalLine(
            QStringLiteral("税前；某月不同可在明细表中改"),
            QStringLiteral("每月相同的税前工资；某月不同，在右侧明细表中修改该月的工资"));
    c_.bonusEdit = made<QLineEdit>("bonusEdit");
    c_.bonusMonthBox = made<QComboBox>("bonusMonthBox");
    FieldRow* bonus =
        row(QStringLiteral("年终奖(&B)"),
            {c_.bonusEdit, LabelBetweenBoxes(QStringLiteral("元，发放于")), c_.bonusMonthBox});
    c_.bonusSeparateOption = new QRadioButton(QStringLiteral("单独计税"));
    c_.bonusSeparateOption->setObjectName(QStringLiteral("bonusSeparateOption"));
    c_.bonusCombinedOption = new QRadioButton(QStringLiteral("并入综合所得"));
    c_.bonusCombinedOption->setObjectName(QStringLiteral("bonusCombinedOption"));
    auto* treatment = new QButtonGroup(this);
    treatment->addButton(c_.bonusSeparateOption);
    treatment->addButton(c_.bonusCombinedOption);
    // How the bonus is taxed goes under it: its own row's access key is the annuity's.
    line(
        bonus,
        {LabelBetweenBoxes(QStringLiteral("计税")), c_.bonusSeparateOption, c_.bonusCombinedOption},
        {QStringLiteral("年终奖单独计税"), QStringLiteral("年终奖并入综合所得计税")});
}

void InputForm::buildContributions()
{
    auto* group = new QGroupBox(QStringLiteral("社保与公积金"));
    form_ = new QFormLayout(group);
    groups_->addWidget(group);
    c_.socialBaseEdit = made<QLineEdit>("socialBaseEdit");
    fieldRow(c_.socialBaseEdit)->showLegalLine(QStringLiteral("空：按当月工资"));
    c_.socialFloorEdit = made<QLineEdit>("socialFloorEdit");
    c_.socialCapEdit = made<QLineEdit>("socialCapEdit");
    row(QStringLiteral("社保基数上下限(&1)"),
        {c_.socialFloorEdit, LabelBetweenBoxes(QStringLiteral("至")), c_.socialCapEdit});
    c_.fundBaseEdit = made<QLineEdit>("fundBaseEdit");
    fieldRow(c_.fundBaseEdit)->showLegalLine(QStringLiteral("空：按当月工资"));
    c_.fundFloorEdit = made<QLineEdit>("fundFloorEdit");
    c_.fundCapEdit = made<QLineEdit>("fundCapEdit");
    FieldRow* fundRange =
        row(QStringLiteral("公积金基数上下限(&2)"),
            {c_.fundFloorEdit, LabelBetweenBoxes(QStringLiteral("至")), c_.fundCapEdit});
    // The city's average wage caps the base on which the fund is tax free, as it caps the
    // fund's base itself.
    c_.averageWageEdit = made<QLineEdit>("averageWageEdit");
    line(fundRange, {LabelBetweenBoxes(QStringLiteral("当地上年月平均工资")), c_.averageWageEdit,
                     LabelBetweenBoxes(QStringLiteral("元"))});

    auto rates = [&](const QString& caption, const char* own, const char* employer,
                     QLineEdit*& ownEdit, QLineEdit*& employerEdit) {
        employerEdit = made<QLineEdit>(employer);
        if (!own)
            return row(caption, {LabelBetweenBoxes(QStringLiteral("单位")), employerEdit,
                                 LabelBetweenBoxes(QStringLiteral("%"))});
        ownEdit = made<QLineEdit>(own);
        return row(caption, {LabelBetweenBoxes(QStringLiteral("个人")), ownEdit,
                             LabelBetweenBoxes(QStringLiteral("%  单位")), employerEdit,
                             LabelBetweenBoxes(QStringLiteral("%"))});
    };
    rates(QStringLiteral("养老保险(&L)"), "pensionRateEdit", "employerPensionRateEdit",
          c_.pensionRateEdit, c_.employerPensionRateEdit);
    rates(QStringLiteral("医疗保险(&D)"), "medicalRateEdit", "employerMedicalRateEdit",
          c_.medicalRateEdit, c_.employerMedicalRateEdit);
    rates(QStringLiteral("失业保险(&U)"), "unemploymentRateEdit", "employerUnemploymentRateEdit",
          c_.unemploymentRateEdit, c_.employerUnemploymentRateEdit);
    QLineEdit* noOwnRate = nullptr;
    rates(QStringLiteral("工伤保险(&3)"), nullptr, "employerInjuryRateEdit", noOwnRate,
          c_.employerInjuryRateEdit);
    FieldRow* fund = rates(QStringLiteral("住房公积金(&Z)"), "fundRateEdit", "employerFundRateEdit",
                           c_.fundRateEdit, c_.employerFundRateEdit);
    // A supplementary fund is paid on the same base, and counted with the fund for the tax.
    c_.supplementaryFundRateEdit = made<QLineEdit>("supplementaryFundRateEdit");
    c_.employerSupplementaryFundRateEdit = made<QLineEdit>("employerSupplementaryFundRateEdit");
    line(fund, {LabelBetweenBoxes(QStringLiteral("补充 个人")), c_.supplementaryFundRateEdit,
                LabelBetweenBoxes(QStringLiteral("%  单位")), c_.employerSupplementaryFundRateEdit,
                LabelBetweenBoxes(QStringLiteral("%"))});
    FieldRow* annuity =
        rates(QStringLiteral("企业年金(&J)"), "annuityRateEdit", "employerAnnuityRateEdit",
              c_.annuityRateEdit, c_.employerAnnuityRateEdit);
    c_.annuityBaseEdit = made<QLineEdit>("annuityBaseEdit");
    line(annuity, {LabelBetweenBoxes(QStringLiteral("基数")), c_.annuityBaseEdit,
                   LabelBetweenBoxes(QStringLiteral("元"))});
}

void InputForm::buildSpecial()
{
    auto* group = new QGroupBox(QStringLiteral("专项附加扣除"));
    form_ = new QFormLayout(group);
    groups_->addWidget(group);
    c_.childrenSpin = made<QSpinBox>("childrenSpin");
    c_.childShareBox = made<QComboBox>("childShareBox");
    row(QStringLiteral("子女教育(&C)"),
        {c_.childrenSpin, LabelBetweenBoxes(QStringLiteral("人")), c_.childShareBox});
    c_.infantSpin = made<QSpinBox>("infantSpin");
    c_.infantShareBox = made<QComboBox>("infantShareBox");
    row(QStringLiteral("%1岁以下婴幼儿照护(&4)").arg(law::kInfantCareAgeLimit.latest().value),
        {c_.infantSpin, LabelBetweenBoxes(QStringLiteral("人")), c_.infantShareBox});
    c_.degreeCheck = made<QCheckBox>("degreeCheck");
    fieldRow(c_.degreeCheck);
    c_.certificateCheck = made<QCheckBox>("certificateCheck");
    c_.certificateMonthBox = made<QComboBox>("certificateMonthBox");
    row(QStringLiteral("职业资格证书(&Q)"), {c_.certificateCheck, c_.certificateMonthBox});
    c_.housingBox = made<QComboBox>("housingBox");
    c_.loanShareBox = made<QComboBox>("loanShareBox");
    c_.rentTierBox = made<QComboBox>("rentTierBox");
    row(QStringLiteral("住房(&A)"), {c_.housingBox, c_.loanShareBox, c_.rentTierBox});
    // Which of the three the parent's support is: the only child's amount, a sibling's share, or
    // none; held as a flag and an amount, so no one input stands for it.
    c_.elderlyBox = new QComboBox;
    c_.elderlyBox->setObjectName(QStringLiteral("elderlyBox"));
    c_.elderlyBox->addItem(QStringLiteral("无"), 0);
    c_.elderlyBox->addItem(QStringLiteral("独生子女"), 1);
    c_.elderlyBox->addItem(QStringLiteral("非独生子女（分摊）"), 2);
    c_.elderlyShareEdit = made<QLineEdit>("elderlyShareEdit");
    row(QStringLiteral("赡养老人(&E)"), {c_.elderlyBox, c_.elderlyShareEdit});
    c_.illnessEdit = made<QLineEdit>("illnessEdit");
    fieldRow(c_.illnessEdit);
}

void InputForm::buildOther()
{
    auto* group = new QGroupBox(QStringLiteral("其他扣除"));
    form_ = new QFormLayout(group);
    groups_->addWidget(group);
    c_.healthInsuranceEdit = made<QLineEdit>("healthInsuranceEdit");
    fieldRow(c_.healthInsuranceEdit);
    c_.personalPensionEdit = made<QLineEdit>("personalPensionEdit");
    fieldRow(c_.personalPensionEdit);
    c_.otherDeductionEdit = made<QLineEdit>("otherDeductionEdit");
    fieldRow(c_.otherDeductionEdit);
    c_.wholeYearCheck = made<QCheckBox>("wholeYearCheck");
    fieldRow(c_.wholeYearCheck); // its rule: showWholeYearRule()
}

void InputForm::buildReconciliation()
{
    auto* group = new QGroupBox(QStringLiteral("年度汇算"));
    form_ = new QFormLayout(group);
    groups_->addWidget(group);
    c_.reconcileWholeYearCheck = made<QCheckBox>("reconcileWholeYearCheck");
    row(QStringLiteral("专项附加扣除月数(&8)"), {c_.reconcileWholeYearCheck})
        ->showLegalLine(
            QStringLiteral("年中入职、条件全年具备时勾选"),
            QStringLiteral("子女教育、房贷等扣除条件在入职前的月份也具备时，汇算时可补扣"));
    c_.otherIncomeEdit = made<QLineEdit>("otherIncomeEdit");
    fieldRow(c_.otherIncomeEdit)
        ->showLegalLine(
            QStringLiteral("入职前或其他单位的收入"),
            QStringLiteral("入职前或其他单位的工资、劳务报酬收入额等，只在年度汇算时合并"));
    c_.otherContributionsEdit = made<QLineEdit>("otherContributionsEdit");
    fieldRow(c_.otherContributionsEdit);
    c_.otherWithheldEdit = made<QLineEdit>("otherWithheldEdit");
    fieldRow(c_.otherWithheldEdit);
    form_ = nullptr;
}

void InputForm::connectChanges()
{
    auto changedNow = [this] {
        if (!filling_)
            emit changed();
    };
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, changedNow);
    for (QComboBox* box : findChildren<QComboBox*>())
        connect(box, &QComboBox::currentIndexChanged, this, changedNow);
    for (QSpinBox* spin : findChildren<QSpinBox*>())
        connect(spin, &QSpinBox::valueChanged, this, changedNow);
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::toggled, this, changedNow);
    connect(c_.yearBox, &QComboBox::currentIndexChanged, this,
            [this] { showYearLaw(c_.yearBox->currentData().toInt()); });
    for (QComboBox* box : {c_.housingBox, c_.elderlyBox, c_.firstMonthBox, c_.rentTierBox})
        connect(box, &QComboBox::currentIndexChanged, this, &InputForm::showChoices);
    connect(c_.certificateCheck, &QCheckBox::toggled, this, &InputForm::showChoices);
}

void InputForm::showChoices()
{
    const auto housing = law::Housing(c_.housingBox->currentData().toInt());
    c_.loanShareBox->setVisible(housing == law::Housing::Loan);
    c_.rentTierBox->setVisible(housing == law::Housing::Rent);
    c_.elderlyShareEdit->setVisible(c_.elderlyBox->currentData().toInt() == 2);
    c_.certificateMonthBox->setEnabled(c_.certificateCheck->isChecked());
    c_.reconcileWholeYearCheck->setEnabled(c_.firstMonthBox->currentData().toInt() > 1);
    showYearLaw(c_.yearBox->currentData().toInt()); // the amounts follow the choices
}

void InputForm::changeEvent(QEvent* event)
{
    // Refusals are drawn in a colour taken from the palette: draw them again in the new one.
    if (event->type() == QEvent::PaletteChange)
        read();
    QWidget::changeEvent(event);
}

} // namespace tallyra::year
