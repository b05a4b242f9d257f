// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/form/input_form.h"

#include "law/laws.h"
#include "year/amount_text.h"

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

namespace tallyra::year {

using law::Money;

namespace {

QLabel* Words(const QString& text)
{
    return new QLabel(text);
}

QComboBox* Choice(const char* name, std::initializer_list<std::pair<QString, int>> items)
{
    auto* box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    for (const auto& [text, value] : items)
        box->addItem(text, value);
    return box;
}

QComboBox* MonthChoice(const char* name, const QString& firstItem = QString())
{
    auto* box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    if (!firstItem.isEmpty())
        box->addItem(firstItem, 0);
    for (int m = 1; m <= 12; ++m)
        box->addItem(QStringLiteral("%1月").arg(m), m);
    return box;
}

QSpinBox* Count(const char* name)
{
    auto* spin = new QSpinBox;
    spin->setObjectName(QLatin1String(name));
    spin->setRange(0, 10);
    return spin;
}

QComboBox* Share(const char* name)
{
    return Choice(name, {{QStringLiteral("本人扣 100%"), 100}, {QStringLiteral("本人扣 50%"), 50}});
}

} // namespace

InputForm::InputForm(int latestYear, QWidget* parent)
    : QWidget(parent)
    , latestYear_(latestYear)
{
    groups_ = new QVBoxLayout(this);
    buildIncome();
    buildContributions();
    buildSpecial();
    buildOther();
    buildReconciliation();
    groups_->addStretch(1);
    setInputs(DefaultInputs(latestYear - 1));
    connectChanges();
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

FieldRow* InputForm::row(const QString& caption, std::initializer_list<QWidget*> controls,
                         std::initializer_list<QString> names)
{
    rows_.push_back(std::make_unique<FieldRow>(form_, caption, controls, names));
    return rows_.back().get();
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
    for (int y = 2019; y <= latestYear_; ++y)
        c_.yearBox->addItem(QStringLiteral("%1年").arg(y), y);
    row(QStringLiteral("年份(&Y)"), {c_.yearBox});
    c_.firstMonthBox = MonthChoice("firstMonthBox");
    row(QStringLiteral("入职月份(&M)"), {c_.firstMonthBox})
        ->setLegal(QStringLiteral("本年在本单位开始任职的月份"));
    c_.wageEdit = moneyEdit("wageEdit");
    row(QStringLiteral("月工资(&W)"), {c_.wageEdit, Words(QStringLiteral("元"))})
        ->setLegal(QStringLiteral("税前；某月不同可在明细表中改"),
                   QStringLiteral("每月相同的税前工资；某月不同，在右侧明细表中修改该月的工资"));
    c_.bonusEdit = moneyEdit("bonusEdit", QStringLiteral("0"));
    c_.bonusMonthBox = MonthChoice("bonusMonthBox");
    row(QStringLiteral("年终奖(&B)"),
        {c_.bonusEdit, Words(QStringLiteral("元，发放于")), c_.bonusMonthBox},
        {QStringLiteral("年终奖"), QStringLiteral("年终奖发放月份")});
    c_.bonusSeparateOption = new QRadioButton(QStringLiteral("单独计税"));
    c_.bonusSeparateOption->setObjectName(QStringLiteral("bonusSeparateOption"));
    c_.bonusCombinedOption = new QRadioButton(QStringLiteral("并入综合所得"));
    c_.bonusCombinedOption->setObjectName(QStringLiteral("bonusCombinedOption"));
    auto* treatment = new QButtonGroup(this);
    treatment->addButton(c_.bonusSeparateOption);
    treatment->addButton(c_.bonusCombinedOption);
    row(QStringLiteral("年终奖计税"), {c_.bonusSeparateOption, c_.bonusCombinedOption},
        {QStringLiteral("年终奖单独计税"), QStringLiteral("年终奖并入综合所得计税")});
}

void InputForm::buildContributions()
{
    auto* group = new QGroupBox(QStringLiteral("社保与公积金"));
    form_ = new QFormLayout(group);
    groups_->addWidget(group);
    c_.socialBaseEdit = moneyEdit("socialBaseEdit", QStringLiteral("按工资"));
    row(QStringLiteral("社保基数(&S)"), {c_.socialBaseEdit, Words(QStringLiteral("元"))})
        ->setLegal(QStringLiteral("空：按当月工资"));
    c_.socialFloorEdit = moneyEdit("socialFloorEdit", QStringLiteral("无下限"));
    c_.socialCapEdit = moneyEdit("socialCapEdit", QStringLiteral("无上限"));
    row(QStringLiteral("社保基数上下限"),
        {c_.socialFloorEdit, Words(QStringLiteral("至")), c_.socialCapEdit},
        {QStringLiteral("社保基数下限"), QStringLiteral("社保基数上限")});
    c_.fundBaseEdit = moneyEdit("fundBaseEdit", QStringLiteral("按工资"));
    row(QStringLiteral("公积金基数(&F)"), {c_.fundBaseEdit, Words(QStringLiteral("元"))})
        ->setLegal(QStringLiteral("空：按当月工资"));
    c_.fundFloorEdit = moneyEdit("fundFloorEdit", QStringLiteral("无下限"));
    c_.fundCapEdit = moneyEdit("fundCapEdit", QStringLiteral("无上限"));
    row(QStringLiteral("公积金基数上下限"),
        {c_.fundFloorEdit, Words(QStringLiteral("至")), c_.fundCapEdit},
        {QStringLiteral("公积金基数下限"), QStringLiteral("公积金基数上限")});

    auto rates = [&](const QString& caption, QLineEdit* own, QLineEdit* employer) {
        const QString plain = WithoutAccessKey(caption);
        if (!own) {
            row(caption, {Words(QStringLiteral("单位")), employer, Words(QStringLiteral("%"))},
                {plain + QStringLiteral("单位比例")});
            return;
        }
        row(caption,
            {Words(QStringLiteral("个人")), own, Words(QStringLiteral("%  单位")), employer,
             Words(QStringLiteral("%"))},
            {plain + QStringLiteral("个人比例"), plain + QStringLiteral("单位比例")});
    };
    c_.pensionRateEdit = rateEdit("pensionRateEdit");
    c_.employerPensionRateEdit = rateEdit("employerPensionRateEdit");
    rates(QStringLiteral("养老保险"), c_.pensionRateEdit, c_.employerPensionRateEdit);
    c_.medicalRateEdit = rateEdit("medicalRateEdit");
    c_.employerMedicalRateEdit = rateEdit("employerMedicalRateEdit");
    rates(QStringLiteral("医疗保险"), c_.medicalRateEdit, c_.employerMedicalRateEdit);
    c_.unemploymentRateEdit = rateEdit("unemploymentRateEdit");
    c_.employerUnemploymentRateEdit = rateEdit("employerUnemploymentRateEdit");
    rates(QStringLiteral("失业保险"), c_.unemploymentRateEdit, c_.employerUnemploymentRateEdit);
    c_.employerInjuryRateEdit = rateEdit("employerInjuryRateEdit");
    rates(QStringLiteral("工伤保险"), nullptr, c_.employerInjuryRateEdit);
    c_.fundRateEdit = rateEdit("fundRateEdit");
    c_.employerFundRateEdit = rateEdit("employerFundRateEdit");
    rates(QStringLiteral("住房公积金"), c_.fundRateEdit, c_.employerFundRateEdit);
}

void InputForm::buildSpecial()
{
    auto* group = new QGroupBox(QStringLiteral("专项附加扣除"));
    form_ = new QFormLayout(group);
    groups_->addWidget(group);
    c_.childrenSpin = Count("childrenSpin");
    c_.childShareBox = Share("childShareBox");
    row(QStringLiteral("子女教育(&C)"),
        {c_.childrenSpin, Words(QStringLiteral("人")), c_.childShareBox},
        {QStringLiteral("子女教育人数"), QStringLiteral("子女教育扣除比例")});
    c_.infantSpin = Count("infantSpin");
    c_.infantShareBox = Share("infantShareBox");
    row(QStringLiteral("3岁以下婴幼儿照护"),
        {c_.infantSpin, Words(QStringLiteral("人")), c_.infantShareBox},
        {QStringLiteral("婴幼儿照护人数"), QStringLiteral("婴幼儿照护扣除比例")});
    c_.degreeCheck = new QCheckBox(QStringLiteral("在读"));
    c_.degreeCheck->setObjectName(QStringLiteral("degreeCheck"));
    row(QStringLiteral("学历（学位）继续教育"), {c_.degreeCheck});
    c_.certificateCheck = new QCheckBox(QStringLiteral("本年取得"));
    c_.certificateCheck->setObjectName(QStringLiteral("certificateCheck"));
    c_.certificateMonthBox = MonthChoice("certificateMonthBox", QStringLiteral("汇算时扣除"));
    for (int i = 1; i < c_.certificateMonthBox->count(); ++i)
        c_.certificateMonthBox->setItemText(i, QStringLiteral("%1月预扣时扣除").arg(i));
    row(QStringLiteral("职业资格证书"), {c_.certificateCheck, c_.certificateMonthBox},
        {QStringLiteral("职业资格证书"), QStringLiteral("职业资格证书扣除月份")});
    c_.housingBox = Choice("housingBox", {{QStringLiteral("无"), int(law::Housing::None)},
                                          {QStringLiteral("住房贷款利息"), int(law::Housing::Loan)},
                                          {QStringLiteral("住房租金"), int(law::Housing::Rent)}});
    c_.loanShareBox = Share("loanShareBox");
    c_.rentTierBox = Choice("rentTierBox", {{QStringLiteral("直辖市、省会等城市"), 1},
                                            {QStringLiteral("户籍人口超过100万的城市"), 2},
                                            {QStringLiteral("户籍人口不超过100万的城市"), 3}});
    row(QStringLiteral("住房(&H)"), {c_.housingBox, c_.loanShareBox, c_.rentTierBox},
        {QStringLiteral("住房"), QStringLiteral("住房贷款利息扣除比例"),
         QStringLiteral("住房租金城市")});
    c_.elderlyBox = Choice("elderlyBox", {{QStringLiteral("无"), 0},
                                          {QStringLiteral("独生子女"), 1},
                                          {QStringLiteral("非独生子女（分摊）"), 2}});
    c_.elderlyShareEdit = moneyEdit("elderlyShareEdit", QStringLiteral("每月分摊额"));
    row(QStringLiteral("赡养老人(&E)"), {c_.elderlyBox, c_.elderlyShareEdit},
        {QStringLiteral("赡养老人"), QStringLiteral("赡养老人每月分摊额")});
    c_.illnessEdit = moneyEdit("illnessEdit", QStringLiteral("0"));
    row(QStringLiteral("大病医疗自付(&I)"), {c_.illnessEdit, Words(QStringLiteral("元/年"))});
}

void InputForm::buildOther()
{
    auto* group = new QGroupBox(QStringLiteral("其他扣除"));
    form_ = new QFormLayout(group);
    groups_->addWidget(group);
    c_.healthInsuranceEdit = moneyEdit("healthInsuranceEdit", QStringLiteral("0"));
    row(QStringLiteral("商业健康保险"), {c_.healthInsuranceEdit, Words(QStringLiteral("元/月"))});
    c_.personalPensionEdit = moneyEdit("personalPensionEdit", QStringLiteral("0"));
    row(QStringLiteral("个人养老金(&P)"), {c_.personalPensionEdit, Words(QStringLiteral("元/月"))});
    c_.otherDeductionEdit = moneyEdit("otherDeductionEdit", QStringLiteral("0"));
    row(QStringLiteral("其他依法扣除"), {c_.otherDeductionEdit, Words(QStringLiteral("元/月"))});
    c_.wholeYearCheck = new QCheckBox(QStringLiteral("自1月起按全年6万元减除"));
    c_.wholeYearCheck->setObjectName(QStringLiteral("wholeYearCheck"));
    row(QStringLiteral("全年减除6万"), {c_.wholeYearCheck})
        ->setLegal(QStringLiteral("上年全年在本单位、工资不超过6万"),
                   QStringLiteral("上一完整纳税年度各月均在本单位领取工资且全年工资不超过6万元"));
}

void InputForm::buildReconciliation()
{
    auto* group = new QGroupBox(QStringLiteral("年度汇算"));
    form_ = new QFormLayout(group);
    groups_->addWidget(group);
    c_.reconcileWholeYearCheck = new QCheckBox(QStringLiteral("汇算时补扣入职前月份"));
    c_.reconcileWholeYearCheck->setObjectName(QStringLiteral("reconcileWholeYearCheck"));
    row(QStringLiteral("专项附加扣除月数"), {c_.reconcileWholeYearCheck},
        {QStringLiteral("汇算时补扣入职前月份的专项附加扣除")})
        ->setLegal(QStringLiteral("年中入职、条件全年具备时勾选"),
                   QStringLiteral("子女教育、房贷等扣除条件在入职前的月份也具备时，汇算时可补扣"));
    c_.otherIncomeEdit = moneyEdit("otherIncomeEdit", QStringLiteral("0"));
    row(QStringLiteral("本年其他收入(&O)"), {c_.otherIncomeEdit, Words(QStringLiteral("元/年"))})
        ->setLegal(QStringLiteral("入职前或其他单位的收入"),
                   QStringLiteral("入职前或其他单位的工资、劳务报酬收入额等，只在年度汇算时合并"));
    c_.otherContributionsEdit = moneyEdit("otherContributionsEdit", QStringLiteral("0"));
    row(QStringLiteral("其上已扣社保公积金"),
        {c_.otherContributionsEdit, Words(QStringLiteral("元/年"))});
    c_.otherWithheldEdit = moneyEdit("otherWithheldEdit", QStringLiteral("0"));
    row(QStringLiteral("其上已预扣个税"), {c_.otherWithheldEdit, Words(QStringLiteral("元/年"))});
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
