// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/month_explanation.h"

#include "law/bonus.h"
#include "law/laws.h"
#include "law/parameters.h"
#include "law/withholding.h"
#include "year/amount_text.h"
#include "year/pages/contribution_items.h"
#include "year/pages/figure_table.h"

#include <QStringList>

#include <algorithm>

namespace tallyra::year {

using law::Money;

namespace {

QString MonthSpan(int first, int last)
{
    return first == last ? QStringLiteral("%1月").arg(first)
                         : QStringLiteral("%1月至%2月").arg(first).arg(last);
}

QString SpecialItems(const law::MonthPlan& m)
{
    QStringList items;
    const law::SpecialDeductionBreakdown& s = m.special;
    auto add = [&](const char* name, Money amount) {
        if (!amount.isZero())
            items << QString::fromUtf8(name) + QLatin1Char(' ') + ShortAmount(amount);
    };
    add("子女教育", s.childEducation);
    add("婴幼儿照护", s.infantCare);
    add("继续教育", s.continuingEducation);
    add("住房", s.housing);
    add("赡养老人", s.elderlySupport);
    add("职业资格证书", m.certificate);
    return items.isEmpty() ? QStringLiteral("无")
                           : QStringLiteral("本月") + items.join(QStringLiteral("、"));
}

void BonusLines(FigureTable& lines, const law::MonthPlan& m, int year)
{
    if (m.bonus.isZero())
        return;
    if (m.bonusCombined) {
        lines.add(QStringLiteral("年终奖 %1 元并入本月收入，与工资一起累计预扣")
                      .arg(ShortAmount(m.bonus)));
        return;
    }
    const auto separate = law::TaxBonusSeparately(year, m.bonus);
    const law::RateTable table = law::LawFor({year, 1})->monthlyTable;
    lines.add(
        QStringLiteral("年终奖单独计税：%1 ÷ %2 = %3，落在月度税率表%4")
            .arg(ShortAmount(m.bonus))
            .arg(law::BonusDivisor(year))
            .arg(GroupedAmount(Money::Fen(
                     law::MulDivRoundHalfAway(m.bonus.fen(), 1, law::BonusDivisor(year)))),
                 separate->bracket.index ? RowText(table, *separate->bracket.index) : QString()));
    lines.add(QStringLiteral("年终奖税额 = %1 × %2% − %3")
                  .arg(ShortAmount(m.bonus))
                  .arg(separate->bracket.ratePercent)
                  .arg(ShortAmount(separate->bracket.quickDeduction)),
              m.bonusTax, true);
}

// The cumulative deduction as the month's amount times the months counted, or the whole year's
// amount taken at once.
QString BasicDeductionWords(const law::YearPlanInput& input, int month, int monthsCounted)
{
    if (input.wholeYearDeduction)
        return QStringLiteral("减：累计减除费用（全年一次减除 %1 万元）")
            .arg(TenThousandYuanText(law::WholeYearDeductionFor(input.year)->value.deduction));
    return QStringLiteral("减：累计减除费用（%1 元 × %2 个月）")
        .arg(ShortAmount(law::kMonthlyBasicDeduction.inMonth({input.year, month})->value))
        .arg(monthsCounted);
}

} // namespace

QString RowText(law::RateTable table, int row)
{
    const law::Bracket& b = table[std::size_t(row)];
    const Money from = row == 0 ? Money() : *table[std::size_t(row - 1)].upTo;
    if (!b.upTo)
        return QStringLiteral("第%1级（超过 %2 元）").arg(row + 1).arg(ShortAmount(from));
    if (row == 0)
        return QStringLiteral("第1级（不超过 %1 元）").arg(ShortAmount(*b.upTo));
    return QStringLiteral("第%1级（超过 %2 至 %3 元）")
        .arg(row + 1)
        .arg(ShortAmount(from), ShortAmount(*b.upTo));
}

namespace {

// A base as the tax counts it: at most so many times the city's average wage, where given.
QString CappedBaseWords(Money base, Money averageWage, int multiple)
{
    if (averageWage.isZero())
        return GroupedAmount(base);
    return QStringLiteral("min(%1, %2 × %3)")
        .arg(GroupedAmount(base), GroupedAmount(averageWage))
        .arg(multiple);
}

// How the housing fund and the annuity count for the tax, where the month has either beyond the
// ordinary fund within its tax-free limit.
QString ContributionTaxLines(const law::YearPlanInput& input, const law::MonthPlan& m)
{
    const law::Contributions& c = m.contributions;
    const law::ContributionTax& t = m.contributionTax;
    const law::YearMonth period{input.year, m.month};
    const Money average = input.contributions.localAverageWage;
    FigureTable lines;
    const auto* fundRate = law::kHousingFundTaxFreeRate.inMonth(period);
    const auto* fundTimes = law::kHousingFundTaxFreeBaseMultiple.inMonth(period);
    const bool fundBeyond = t.employeeFundDeducted < c.employeeFund() ||
                            !t.employerFundIncome.isZero() || !c.supplementaryFund.isZero() ||
                            !c.employerSupplementaryFund.isZero();
    if (fundRate && fundTimes && fundBeyond) {
        lines.add(QStringLiteral("公积金免税上限（单位、个人各自）= %1 × %2%")
                      .arg(CappedBaseWords(c.housingFundBase, average, fundTimes->value),
                           RateText(fundRate->value)),
                  t.fundLimit);
        lines.add(
            QStringLiteral("个人公积金 %1，计入专项扣除").arg(GroupedAmount(c.employeeFund())),
            t.employeeFundDeducted);
        if (!t.employerFundIncome.isZero())
            lines.add(QStringLiteral("单位公积金 %1 超出上限的部分，并入本月工资收入")
                          .arg(GroupedAmount(c.employerFund())),
                      t.employerFundIncome);
    }
    const auto* annuityRate = law::kAnnuityDeductibleRate.inMonth(period);
    const auto* annuityTimes = law::kAnnuityBaseMultiple.inMonth(period);
    if (annuityRate && annuityTimes && !(c.annuity.isZero() && c.employerAnnuity.isZero())) {
        lines.add(QStringLiteral("年金可扣除上限 = %1 × %2%")
                      .arg(CappedBaseWords(c.annuityBase, average, annuityTimes->value),
                           RateText(annuityRate->value)),
                  t.annuityLimit);
        lines.add(QStringLiteral("个人年金 %1，计入其他扣除").arg(GroupedAmount(c.annuity)),
                  t.annuityDeducted);
        if (!c.employerAnnuity.isZero())
            lines.add(QStringLiteral("单位年金 %1 计入个人账户时不计税")
                          .arg(GroupedAmount(c.employerAnnuity)));
    }
    return lines.isEmpty() ? QString()
                           : QStringLiteral("<p><b>公积金与年金如何计税</b></p>") + lines.html();
}

// Each contribution of the month as its base × its rate, the employee's and the employer's.
QString ContributionLines(const law::YearPlanInput& input, const law::MonthPlan& m)
{
    FigureTable lines;
    lines.add(QStringLiteral("个人缴费"), QString(), true);
    for (const ContributionItem& item : EmployeeItems(input.contributions, m.contributions))
        lines.add(item.working(), item.amount);
    lines.add(QStringLiteral("个人合计"), m.contributions.employeeTotal(), true);
    lines.add(QStringLiteral("单位缴费"), QString(), true);
    for (const ContributionItem& item : EmployerItems(input.contributions, m.contributions))
        lines.add(item.working(), item.amount);
    lines.add(QStringLiteral("单位合计"), m.contributions.employerTotal(), true);
    return QStringLiteral("<p><b>本月社保公积金明细</b></p>") + lines.html() +
           ContributionTaxLines(input, m);
}

} // namespace

QString ExplainMonth(const law::YearPlanInput& input, const law::YearPlan& plan, int month)
{
    const law::MonthPlan& m = plan.months[month - 1];
    const QString title =
        QStringLiteral("<p><b>%1月预扣预缴税额的计算（累计预扣法）</b></p>").arg(month);
    if (!m.employed)
        return title + QStringLiteral("<p>%1月尚未在本单位任职，不预扣。</p>").arg(month);
    const law::WithholdingStep& s = m.step;
    const law::CumulativeFigures& c = s.cumulative;
    const int first = input.firstMonthEmployed;
    FigureTable lines;
    const bool fundAsIncome =
        std::any_of(plan.months.begin(), plan.months.begin() + month, [](const law::MonthPlan& p) {
            return !p.contributionTax.employerFundIncome.isZero();
        });
    lines.add(QStringLiteral("累计收入（%1工资%2%3）")
                  .arg(MonthSpan(first, month),
                       plan.bonusTreatment == law::BonusTreatment::Combined &&
                               !plan.totals.bonus.isZero() && input.bonusMonth <= month
                           ? QStringLiteral("及并入的年终奖")
                           : QString(),
                       fundAsIncome ? QStringLiteral("、单位公积金超出免税上限的部分") : QString()),
              c.income);
    if (!c.exemptIncome.isZero())
        lines.add(QStringLiteral("减：累计免税收入"), c.exemptIncome);
    lines.add(BasicDeductionWords(input, month, s.monthsCounted), c.basicDeduction);
    lines.add(QStringLiteral("减：累计专项扣除（个人社保公积金，本月 %1）")
                  .arg(ShortAmount(s.month.specialDeduction)),
              c.specialDeduction);
    lines.add(QStringLiteral("减：累计专项附加扣除（%1）").arg(SpecialItems(m)),
              c.specialAdditional);
    if (!c.otherDeduction.isZero())
        lines.add(
            QStringLiteral("减：累计其他扣除（本月 %1）").arg(ShortAmount(s.month.otherDeduction)),
            c.otherDeduction);
    lines.add(QStringLiteral("＝ 累计预扣预缴应纳税所得额"), s.taxableIncome, true);
    const law::RateTable table = law::LawFor({input.year, month})->annualTable;
    if (s.bracket.index)
        lines.add(QStringLiteral("落在预扣率表%1：预扣率 %2%，速算扣除数 %3")
                      .arg(RowText(table, *s.bracket.index))
                      .arg(s.bracket.ratePercent)
                      .arg(ShortAmount(s.bracket.quickDeduction)));
    else
        lines.add(QStringLiteral("不超过 0：预扣率 0%"));
    lines.add(QStringLiteral("累计应纳税额 = %1 × %2% − %3")
                  .arg(GroupedAmount(s.taxableIncome))
                  .arg(s.bracket.ratePercent)
                  .arg(ShortAmount(s.bracket.quickDeduction)),
              s.cumulativeTax);
    lines.add(month > first ? QStringLiteral("减：已预扣（%1）").arg(MonthSpan(first, month - 1))
              : first == 1 ? QStringLiteral("减：已预扣（本年首月，无）")
                           : QStringLiteral("减：已预扣（本单位首月，无）"),
              s.alreadyWithheld);
    lines.add(QStringLiteral("＝ 本月应预扣预缴税额"), s.withheld, true);
    if (!s.notRefunded.isZero())
        lines.add(QStringLiteral("（计算结果为负 %1，本月不预扣；多预扣的税款在年度汇算时退还）")
                      .arg(GroupedAmount(-s.notRefunded)));
    BonusLines(lines, m, input.year);
    lines.add(QStringLiteral("税后收入 = 工资%1 − 个人社保公积金 − 本月预扣税%2")
                  .arg(m.bonus.isZero() ? QString() : QStringLiteral(" + 年终奖"),
                       m.bonusTax.isZero() ? QString() : QStringLiteral(" − 年终奖税")),
              m.takeHome, true);
    QString html = title + lines.html() + ContributionLines(input, m);
    if (m.rateStepsUp)
        html += QStringLiteral(
                    "<p><b>↑ 本月税率由 %1% 升至 %2%</b>：累计应纳税所得额超过了上一级的上限，"
                    "此后各月按新的预扣率计算，所以到手收入比前几个月少。</p>")
                    .arg(plan.months[month - 2].step.bracket.ratePercent)
                    .arg(s.bracket.ratePercent);
    html += HtmlSourceNote(QString::fromUtf8(law::CumulativeMethodSource()));
    return html;
}

} // namespace tallyra::year
