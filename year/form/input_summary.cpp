// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/form/input_summary.h"

#include "law/laws.h"
#include "law/parameters.h"
#include "year/amount_text.h"
#include "year/form/field_row.h"
#include "year/form/input_fields.h"

namespace tallyra::year {

using law::Money;

namespace {

// The start of a line about one declared input: its caption as the form shows it, so that the
// summary names an input as the form does ("月工资：").
QString Named(const char* objectName)
{
    return WithoutAccessKey(QString::fromUtf8(InputFieldNamed(objectName).caption)) +
           QStringLiteral("：");
}

QString Base(const law::ContributionBase& b)
{
    QString text =
        b.fixed ? ShortAmount(*b.fixed) + QStringLiteral(" 元") : QStringLiteral("按工资");
    if (!b.floor.isZero())
        text += QStringLiteral("，下限 %1").arg(ShortAmount(b.floor));
    if (!b.cap.isZero())
        text += QStringLiteral("，上限 %1").arg(ShortAmount(b.cap));
    return text;
}

// The rates of one side, each with its word, in the order they are declared.
QString Rates(const PlannerInputs& in, SummaryLine line)
{
    QStringList rates;
    for (const InputField& field : InputFields()) {
        if (field.summaryLine != line)
            continue;
        const int rate = IntegerOf(field, in);
        if (rate != 0 || !field.summaryWhenSet)
            rates << QStringLiteral("%1 %2%").arg(QString::fromUtf8(field.summaryWord),
                                                  RateText(rate));
    }
    return rates.join(QStringLiteral("，"));
}

QString Wages(const PlannerInputs& in)
{
    QString text = ShortAmount(in.wage) + QStringLiteral(" 元");
    QStringList edited;
    for (int m = in.plan.firstMonthEmployed; m <= 12; ++m)
        if (in.wageEdited[m - 1])
            edited << QStringLiteral("%1月 %2").arg(m).arg(ShortAmount(in.plan.wages[m - 1]));
    if (!edited.isEmpty())
        text += QStringLiteral("（%1）").arg(edited.join(QStringLiteral("，")));
    return text;
}

QString Bonus(const law::YearPlanInput& p)
{
    if (p.bonus.isZero())
        return QStringLiteral("无");
    return QStringLiteral("%1 元，%2月发放，%3")
        .arg(ShortAmount(p.bonus))
        .arg(p.bonusMonth)
        .arg(p.bonusTreatment == law::BonusTreatment::Combined ? QStringLiteral("并入综合所得")
                                                               : QStringLiteral("单独计税"));
}

QString Share(int share)
{
    return share == law::kDeductionShares.latest().value.whole
               ? QString()
               : QStringLiteral("（本人扣 %1%）").arg(share);
}

QString SpecialItems(const law::SpecialDeductionItems& s)
{
    QStringList items;
    if (s.childrenInEducation > 0)
        items << QStringLiteral("子女教育 %1 人").arg(s.childrenInEducation) +
                     Share(s.childEducationShare);
    if (s.infants > 0)
        items << QStringLiteral("婴幼儿照护 %1 人").arg(s.infants) + Share(s.infantShare);
    if (s.continuingDegree)
        items << QStringLiteral("学历继续教育");
    if (s.certificateObtained)
        items << QStringLiteral("职业资格证书") +
                     (s.certificateMonth ? QStringLiteral("（%1月）").arg(s.certificateMonth)
                                         : QStringLiteral("（汇算时）"));
    if (s.housing == law::Housing::Loan)
        items << QStringLiteral("住房贷款利息") + Share(s.housingLoanShare);
    if (s.housing == law::Housing::Rent)
        items << QStringLiteral("住房租金（第%1类城市）").arg(s.rentTier);
    if (s.elderlyOnlyChild)
        items << QStringLiteral("赡养老人（独生子女）");
    else if (!s.elderlyShare.isZero())
        items << QStringLiteral("赡养老人（分摊每月 %1）").arg(ShortAmount(s.elderlyShare));
    if (!s.seriousIllnessCost.isZero())
        items << QStringLiteral("大病医疗自付 %1").arg(ShortAmount(s.seriousIllnessCost));
    return items.isEmpty() ? QStringLiteral("无") : items.join(QStringLiteral("、"));
}

QString OtherItems(const law::OtherDeductionItems& o)
{
    QStringList items;
    if (!o.commercialHealthInsurance.isZero())
        items
            << QStringLiteral("商业健康保险每月 %1").arg(ShortAmount(o.commercialHealthInsurance));
    if (!o.personalPension.isZero())
        items << QStringLiteral("个人养老金每月 %1").arg(ShortAmount(o.personalPension));
    if (!o.other.isZero())
        items << QStringLiteral("其他每月 %1").arg(ShortAmount(o.other));
    return items.isEmpty() ? QStringLiteral("无") : items.join(QStringLiteral("、"));
}

} // namespace

QStringList InputSummary(const PlannerInputs& in)
{
    const law::YearPlanInput& p = in.plan;
    const law::ContributionSetup& c = p.contributions;
    QStringList lines;
    lines << QStringLiteral("年份：%1年（%2）")
                 .arg(p.year)
                 .arg(QString::fromUtf8(law::LawFor({p.year, 1})->name));
    lines << Named("firstMonthBox") + QStringLiteral("%1月").arg(p.firstMonthEmployed);
    lines << Named("wageEdit") + Wages(in);
    lines << Named("bonusEdit") + Bonus(p);
    lines << Named("socialBaseEdit") + Base(c.socialInsuranceBase);
    lines << Named("fundBaseEdit") + Base(c.housingFundBase);
    lines << QStringLiteral("个人比例：") + Rates(in, SummaryLine::EmployeeRates);
    lines << QStringLiteral("单位比例：") + Rates(in, SummaryLine::EmployerRates);
    if (c.employee.annuity || c.employer.annuity)
        lines << Named("annuityBaseEdit") + Base(c.annuityBase);
    if (!c.localAverageWage.isZero())
        lines << Named("averageWageEdit") +
                     QStringLiteral("%1 元").arg(ShortAmount(c.localAverageWage));
    lines << QStringLiteral("专项附加扣除：") + SpecialItems(p.special);
    lines << QStringLiteral("其他扣除：") + OtherItems(p.other);
    lines << Named("wholeYearCheck") +
                 (p.wholeYearDeduction ? QStringLiteral("是") : QStringLiteral("否"));
    if (!p.otherIncome.isZero() || !p.otherWithheld.isZero())
        lines << QStringLiteral("本年其他收入：%1 元，其上社保公积金 %2 元，已预扣个税 %3 元")
                     .arg(ShortAmount(p.otherIncome), ShortAmount(p.otherSpecialDeduction),
                          ShortAmount(p.otherWithheld));
    QStringList payments;
    for (const law::OtherPayment& payment : p.payments) {
        const QString payer = QString::fromStdString(payment.payer);
        payments << QStringLiteral("%1月 %2 %3 元%4")
                        .arg(payment.month)
                        .arg(QString::fromUtf8(law::PaymentKindName(payment.kind)),
                             ShortAmount(payment.amount),
                             payer.isEmpty() ? QString() : QStringLiteral("（%1）").arg(payer));
    }
    if (!payments.isEmpty())
        lines << QStringLiteral("其他综合所得：") + payments.join(QStringLiteral("；"));
    if (!p.severance.isZero())
        lines << QStringLiteral("离职补偿金：%1 元，当地上年职工平均工资 %2 元")
                     .arg(ShortAmount(p.severance), ShortAmount(p.localAverageWage));
    return lines;
}

} // namespace tallyra::year
