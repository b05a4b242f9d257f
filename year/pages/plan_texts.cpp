// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/plan_texts.h"

#include "law/laws.h"
#include "year/amount_text.h"
#include "year/pages/month_explanation.h"

namespace tallyra::year {

using law::BonusTreatment;
using law::Money;

namespace {

QString Row(const QString& words, const QString& figure, bool strong = false)
{
    const QString cell = strong ? QStringLiteral("<b>%1</b>") : QStringLiteral("%1");
    return QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
        .arg(cell.arg(words.toHtmlEscaped()), cell.arg(figure.toHtmlEscaped()));
}

QString Row(const QString& words, Money figure, bool strong = false)
{
    return Row(words, GroupedAmount(figure), strong);
}

QString Table(const QString& rows)
{
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">%1</table>").arg(rows);
}

QString Para(const QString& text, bool strong = false)
{
    return strong ? QStringLiteral("<p><b>%1</b></p>").arg(text.toHtmlEscaped())
                  : QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped());
}

QString Source(const law::LegalSource& source)
{
    return QStringLiteral("<p><small>依据：%1</small></p>")
        .arg(QString::fromStdString(law::CitationOf(source)).toHtmlEscaped());
}

QString CliffWarning(const law::BonusCliff& cliff, Money bonus)
{
    return QStringLiteral("⚠ 注意：年终奖 %1 元落在“多发少得”的区间（%2 元至 %3 元之间）："
                          "超过 %2 元的部分被多缴的税吃掉，到手反而比只发 %2 元时少。"
                          "只发 %2 元到手 %4 元；要发到 %3 元，到手才不少于此。")
        .arg(ShortAmount(bonus), ShortAmount(cliff.start), ShortAmount(cliff.end),
             ShortAmount(cliff.takeHomeAtStart));
}

} // namespace

QString DescribeBonus(const law::YearPlanInput& input, const law::YearPlan& plan)
{
    if (!plan.bonusComparison)
        return Para(
            QStringLiteral("本年没有年终奖。填入年终奖金额和发放月份后，这里比较单独计税与并入"
                           "综合所得两种方式，并提示“多发少得”的区间。"));
    const law::BonusComparison& c = *plan.bonusComparison;
    QString html = Para(QStringLiteral("%1年年终奖 %2 元：两种计税方式的全年个税")
                            .arg(input.year)
                            .arg(ShortAmount(c.bonus)),
                        true);
    QString rows;
    if (c.separateTotal)
        rows += Row(QStringLiteral("单独计税：工资等综合所得 %1 + 年终奖 %2")
                        .arg(GroupedAmount(*c.separateTotal - c.separate->tax),
                             GroupedAmount(c.separate->tax)),
                    *c.separateTotal);
    rows += Row(QStringLiteral("并入综合所得：全年一起按年度税率表"), c.combinedTotal);
    html += Table(rows);
    if (!c.separateTotal) {
        html +=
            Para(QStringLiteral(
                     "%1年起只能并入综合所得：全年一次性奖金单独计税的政策执行至2027年12月31日，"
                     "此后没有延续的规定。")
                     .arg(input.year),
                 true);
        html += Source(law::kSeparateBonusTaxation.latest().source);
        return html;
    }
    if (c.saving.isZero())
        html += Para(QStringLiteral("两种方式的税额相同。"), true);
    else
        html += Para(QStringLiteral("%1更省，全年少缴 %2 元。")
                         .arg(c.better == BonusTreatment::Separate ? QStringLiteral("单独计税")
                                                                   : QStringLiteral("并入综合所得"),
                              GroupedAmount(c.saving)),
                     true);
    html += Para(QStringLiteral("明细表按%1计算%2。")
                     .arg(plan.bonusTreatment == BonusTreatment::Separate
                              ? QStringLiteral("单独计税")
                              : QStringLiteral("并入综合所得"),
                          plan.bonusTreatment != c.better && !c.saving.isZero()
                              ? QStringLiteral("；在左侧“年终奖计税”改选另一种方式可少缴税")
                              : QString()));
    if (c.cliff)
        html +=
            QStringLiteral("<p><b>%1</b></p>").arg(CliffWarning(*c.cliff, c.bonus).toHtmlEscaped());
    html += Source(c.separate->rule->source);
    return html;
}

QString ReconciliationVerdict(const law::ReconciliationResult& r)
{
    if (r.balance.isNegative())
        return QStringLiteral("应退税 %1 元").arg(GroupedAmount(-r.balance));
    if (r.balance.isZero())
        return QStringLiteral("无需退补");
    if (r.paymentExempt)
        return QStringLiteral("应补税 %1 元，可免予补缴").arg(GroupedAmount(r.balance));
    return QStringLiteral("应补税 %1 元").arg(GroupedAmount(r.balance));
}

QString DescribeReconciliation(const law::YearPlanInput& input, const law::YearPlan& plan)
{
    const law::ReconciliationInput& in = plan.reconciliationInput;
    const law::ReconciliationResult& r = plan.reconciliation;
    QString rows;
    rows += Row(QStringLiteral("全年综合所得收入（本单位工资%1%2）")
                    .arg(in.separateBonus ? QStringLiteral("，年终奖单独计税不计入")
                         : plan.totals.bonus.isZero() ? QString()
                                                      : QStringLiteral("及年终奖"),
                         input.otherIncome.isZero()
                             ? QString()
                             : QStringLiteral("，其他收入 %1").arg(ShortAmount(input.otherIncome))),
                r.income);
    if (!in.exemptIncome.isZero())
        rows += Row(QStringLiteral("减：免税收入"), in.exemptIncome);
    rows += Row(QStringLiteral("减：基本减除费用"), r.basicDeduction);
    rows += Row(QStringLiteral("减：专项扣除（个人社保公积金）"), in.specialDeduction);
    rows +=
        Row(QStringLiteral("减：专项附加扣除（含大病医疗、职业资格证书）"), in.specialAdditional);
    if (!in.otherDeduction.isZero())
        rows += Row(QStringLiteral("减：其他扣除"), in.otherDeduction);
    rows += Row(QStringLiteral("＝ 应纳税所得额"), r.taxableIncome, true);
    const law::RateTable table = law::LawFor({input.year, 12})->annualTable;
    rows += Row(r.bracket.index ? QStringLiteral("综合所得税额：%1，%2% − %3")
                                      .arg(RowText(table, *r.bracket.index))
                                      .arg(r.bracket.ratePercent)
                                      .arg(ShortAmount(r.bracket.quickDeduction))
                                : QStringLiteral("综合所得税额"),
                r.incomeTax);
    if (in.separateBonus)
        rows += Row(QStringLiteral("年终奖单独计税税额"), r.bonusTax);
    rows += Row(QStringLiteral("全年应纳税额"), r.totalTax, true);
    rows +=
        Row(input.otherWithheld.isZero() ? QStringLiteral("减：已预扣预缴")
                                         : QStringLiteral("减：已预扣预缴（含其他收入已预扣 %1）")
                                               .arg(ShortAmount(input.otherWithheld)),
            r.withheld);
    QString html =
        Para(QStringLiteral("%1年度汇算（次年3月1日至6月30日办理）").arg(input.year), true) +
        Table(rows) + Para(ReconciliationVerdict(r), true);
    if (r.paymentExempt)
        html += Para(QStringLiteral(
                    "补税不超过 400 元，或全年综合所得收入不超过 12 万元，免予办理补税。")) +
                Source(r.exemption->source);
    else if (r.balance > Money() && !law::SmallPaymentExemptionFor(input.year))
        html += Para(QStringLiteral("%1年尚无免予补税的规定。").arg(input.year));
    if (input.firstMonthEmployed > 1)
        html += Para(
            QStringLiteral(
                "年中入职：入职前的收入请填在左侧“本年其他收入”；专项附加扣除按%1计入汇算。")
                .arg(input.reconcileItemsForWholeYear
                         ? QStringLiteral("全年 12 个月")
                         : QStringLiteral("入职后的 %1 个月").arg(13 - input.firstMonthEmployed)));
    return html;
}

} // namespace tallyra::year
