// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/plan_texts.h"

#include "law/laws.h"
#include "law/parameters.h"
#include "law/plannable_years.h"
#include "law/year_outcome.h"
#include "year/amount_text.h"
#include "year/pages/figure_table.h"
#include "year/pages/month_explanation.h"

#include <QStringList>

namespace tallyra::year {

using law::BonusTreatment;
using law::Money;

namespace {

QString Source(const law::LegalSource& source)
{
    return HtmlSourceNote(QString::fromStdString(law::CitationOf(source)));
}

QString CliffWarning(const law::BonusCliff& cliff, Money bonus)
{
    return QStringLiteral("⚠ 注意：年终奖 %1 元落在“多发少得”的区间（%2 元至 %3 元之间）："
                          "超过 %2 元的部分被多缴的税吃掉，到手反而比只发 %2 元时少。"
                          "只发 %2 元到手 %4 元；要发到 %3 元，到手才不少于此。")
        .arg(ShortAmount(bonus), ShortAmount(cliff.start), ShortAmount(cliff.end),
             ShortAmount(cliff.takeHomeAtStart));
}

// "taxable × rate% − quick deduction ＝ tax" in figures, or "0" when nothing is taxable.
QString TaxWorking(const law::SeparateTax& t)
{
    if (!t.bracket.index)
        return QStringLiteral("0");
    QString text =
        QStringLiteral("%1 × %2%").arg(ShortAmount(t.taxable)).arg(t.bracket.ratePercent);
    if (!t.bracket.quickDeduction.isZero())
        text += QStringLiteral(" − %1").arg(ShortAmount(t.bracket.quickDeduction));
    return text + QStringLiteral(" ＝ %1").arg(ShortAmount(t.tax));
}

QString PaymentKindText(law::PaymentKind kind)
{
    return QString::fromUtf8(law::PaymentKindName(kind));
}

// "按 N% 计，": the share of authors' income that counts, on the payment's day.
QString AuthorsShareWords(const law::OtherPayment& payment, int year)
{
    if (payment.kind != law::PaymentKind::Authors)
        return QString();
    return QStringLiteral("按 %1% 计，")
        .arg(law::kAuthorsIncomeSharePercent.inMonth({year, payment.month})->value);
}

// One payment and its prepayment, step by step.
QString PaymentLine(const law::OtherPayment& payment, const law::SeparateTax& t, int year)
{
    const QString payer = QString::fromStdString(payment.payer).trimmed();
    return QStringLiteral("%1月 %2 %3 元%4：减除费用 %5，%6应纳税所得额 %7；预扣 %8")
        .arg(payment.month)
        .arg(PaymentKindText(payment.kind), ShortAmount(payment.amount),
             payer.isEmpty() ? QString() : QStringLiteral("（%1）").arg(payer),
             ShortAmount(t.deduction), AuthorsShareWords(payment, year), ShortAmount(t.taxable),
             TaxWorking(t));
}

// "劳务报酬 income × share%", "稿酬所得 income × share% × authors' share%": how a kind's 收入额
// is reached, with the year's percentages.
QString IncomeAmountWords(law::PaymentKind kind, Money income, int year)
{
    QString words = QStringLiteral("%1 %2 × %3%")
                        .arg(PaymentKindText(kind), ShortAmount(income))
                        .arg(100 - law::kAnnualPaymentDeductionPercent.forTaxYear(year)->value);
    if (kind == law::PaymentKind::Authors)
        words +=
            QStringLiteral(" × %1%").arg(law::kAuthorsIncomeSharePercent.forTaxYear(year)->value);
    return words;
}

QString BalanceEffect(Money added)
{
    if (added.isNegative())
        return QStringLiteral("使汇算多退（或少补）%1 元").arg(GroupedAmount(-added));
    if (added.isZero())
        return QStringLiteral("在汇算中不增不减：预扣的税与应纳的相当");
    return QStringLiteral("使汇算多补（或少退）%1 元").arg(GroupedAmount(added));
}

// Each kind's 收入额 added to the wages, and the sum, where the year has payments.
void AddPaymentIncome(FigureTable& rows, const law::YearPlanInput& input, const law::YearPlan& plan)
{
    const law::ReconciliationResult& r = plan.reconciliation;
    for (law::PaymentKind kind : law::kPaymentKinds) {
        const Money income = plan.reconciliationInput.payments[IndexOf(kind)].income;
        if (!income.isZero())
            rows.add(
                QStringLiteral("加：%1 收入额").arg(IncomeAmountWords(kind, income, input.year)),
                r.paymentIncomeAmount[IndexOf(kind)]);
    }
    if (r.income != r.wageIncome)
        rows.add(QStringLiteral("＝ 全年综合所得收入额"), r.income, true);
}

// "减：已预扣预缴（含其他收入已预扣 …，其他综合所得已预扣 …）".
QString WithheldWords(const law::YearPlanInput& input, const law::YearPlan& plan)
{
    Money prepaid;
    for (const law::PaymentIncomeOfYear& paid : plan.reconciliationInput.payments)
        prepaid += paid.prepaid;
    QStringList parts;
    if (!input.otherWithheld.isZero())
        parts << QStringLiteral("其他收入已预扣 %1").arg(ShortAmount(input.otherWithheld));
    if (!prepaid.isZero())
        parts << QStringLiteral("其他综合所得已预扣 %1").arg(ShortAmount(prepaid));
    return parts.isEmpty()
               ? QStringLiteral("减：已预扣预缴")
               : QStringLiteral("减：已预扣预缴（含%1）").arg(parts.join(QStringLiteral("，")));
}

// The list of payments of labour, authors' and royalty income, and what each kind does.
QString DescribePayments(const law::YearPlanInput& input, const law::YearPlan& plan)
{
    if (input.payments.empty())
        return HtmlParagraph(
            QStringLiteral("其他综合所得：没有。劳务报酬、稿酬、特许权使用费每笔由支付方预扣"
                           "个税，年度汇算时按收入额并入综合所得。"));
    QString html =
        HtmlParagraph(QStringLiteral("其他综合所得（每笔为一次，支付方预扣预缴）"), true);
    QString items;
    for (std::size_t i = 0; i < input.payments.size(); ++i)
        items += QStringLiteral("<li>%1</li>")
                     .arg(PaymentLine(input.payments[i], plan.prepayments[i], input.year)
                              .toHtmlEscaped());
    html += QStringLiteral("<ul>%1</ul>").arg(items);
    for (law::PaymentKind kind : law::kPaymentKinds) {
        const law::PaymentIncomeOfYear& paid = plan.reconciliationInput.payments[IndexOf(kind)];
        if (paid.income.isZero() && paid.prepaid.isZero())
            continue;
        html += HtmlParagraph(
            QStringLiteral("%1：收入额 %2 元，已预扣 %3 元，%4。")
                .arg(PaymentKindText(kind),
                     ShortAmount(plan.reconciliation.paymentIncomeAmount[IndexOf(kind)]),
                     ShortAmount(paid.prepaid), BalanceEffect(plan.balanceAddedBy[IndexOf(kind)])));
    }
    html += Source(law::kPrepaymentDeduction.forTaxYear(input.year)->source);
    html += Source(law::kAnnualPaymentDeductionPercent.forTaxYear(input.year)->source);
    return html;
}

// Severance pay: the exempt part, and the tax on the rest on the annual table.
QString DescribeSeverance(const law::YearPlanInput& input, const law::YearPlan& plan, Medium medium)
{
    const law::DatedValue<int>& multiple = *law::kSeveranceExemptMultiple.forTaxYear(input.year);
    if (!plan.severance)
        return medium == Medium::Paper
                   ? QString()
                   : HtmlParagraph(QStringLiteral(
                         "离职补偿金：填入左侧“离职补偿金”和“当地上年职工平均工资”后，"
                         "这里计算免税部分和单独计算的个税。"));
    const law::SeparateTax& t = *plan.severance;
    FigureTable rows;
    rows.add(QStringLiteral("离职补偿金"), t.income);
    rows.add(QStringLiteral("免税：当地上年职工平均工资 %1 × %2，以补偿金为限")
                 .arg(ShortAmount(input.localAverageWage))
                 .arg(multiple.value),
             t.deduction);
    rows.add(QStringLiteral("应纳税所得额（不并入综合所得）"), t.taxable, true);
    rows.add(QStringLiteral("个税：按年度税率表 %1").arg(TaxWorking(t)), t.tax, true);
    rows.add(QStringLiteral("税后"), t.afterTax());
    QString html = HtmlParagraph(QStringLiteral("离职补偿金"), true) + rows.html();
    if (input.localAverageWage.isZero())
        html += HtmlParagraph(
            QStringLiteral("未填当地上年职工平均工资：免税部分按 0 计，补偿金全部计税。"));
    return html + Source(multiple.source);
}

QString DescribeBonusTreatments(const law::YearPlanInput& input, const law::YearPlan& plan,
                                Medium medium);

} // namespace

QString DescribeBonus(const law::YearPlanInput& input, const law::YearPlan& plan, Medium medium)
{
    return DescribeBonusTreatments(input, plan, medium) + DescribeSeverance(input, plan, medium);
}

namespace {

QString DescribeBonusTreatments(const law::YearPlanInput& input, const law::YearPlan& plan,
                                Medium medium)
{
    if (!plan.bonusComparison)
        return HtmlParagraph(
            QStringLiteral("本年没有年终奖。填入年终奖金额和发放月份后，这里比较单独计税与并入"
                           "综合所得两种方式，并提示“多发少得”的区间。"));
    const law::BonusComparison& c = *plan.bonusComparison;
    QString html = HtmlParagraph(
        QStringLiteral("%1年年终奖 %2 元：%3的全年个税")
            .arg(input.year)
            .arg(ShortAmount(c.bonus))
            .arg(c.separateTotal ? QStringLiteral("两种计税方式") : QStringLiteral("并入综合所得")),
        true);
    FigureTable rows;
    if (c.separateTotal)
        rows.add(QStringLiteral("单独计税：工资等综合所得 %1 + 年终奖 %2")
                     .arg(GroupedAmount(*c.separateTotal - c.separate->tax),
                          GroupedAmount(c.separate->tax)),
                 *c.separateTotal);
    rows.add(QStringLiteral("并入综合所得：全年一起按年度税率表"), c.combinedTotal);
    html += rows.html();
    if (!c.separateTotal) {
        if (const std::optional<law::RuleEnd> end = law::SeparateBonusTaxationEnd())
            html += HtmlParagraph(
                QStringLiteral("%1年起只能并入综合所得：全年一次性奖金单独计税的政策执行至"
                               "%2年%3月%4日，此后没有延续的规定。")
                    .arg(end->firstYearWithout)
                    .arg(end->lastDay.year)
                    .arg(end->lastDay.month)
                    .arg(end->lastDay.day),
                true);
        html += Source(law::kSeparateBonusTaxation.latest().source);
        return html;
    }
    if (c.saving.isZero())
        html += HtmlParagraph(QStringLiteral("两种方式的税额相同。"), true);
    else
        html += HtmlParagraph(QStringLiteral("%1更省，全年少缴 %2 元。")
                                  .arg(c.better == BonusTreatment::Separate
                                           ? QStringLiteral("单独计税")
                                           : QStringLiteral("并入综合所得"),
                                       GroupedAmount(c.saving)),
                              true);
    html += HtmlParagraph(
        QStringLiteral("明细表按%1计算%2。")
            .arg(plan.bonusTreatment == BonusTreatment::Separate ? QStringLiteral("单独计税")
                                                                 : QStringLiteral("并入综合所得"),
                 medium == Medium::Screen && plan.bonusTreatment != c.better && !c.saving.isZero()
                     ? QStringLiteral("；在左侧年终奖下改选另一种计税方式可少缴税")
                     : QString()));
    // Taxed with the wages on the annual table, a bonus has no cliff of its own.
    if (c.cliff && plan.bonusTreatment == BonusTreatment::Separate)
        html += HtmlParagraph(CliffWarning(*c.cliff, c.bonus), true);
    html += Source(c.separate->rule->source);
    return html;
}

// The tax year and when, in the next year, its reconciliation is made.
QString ReconciliationTitle(int year)
{
    const law::FilingWindow& window = law::kReconciliationWindow.forTaxYear(year)->value;
    return QStringLiteral("%1年度汇算（次年%2月%3日至%4月%5日办理）")
        .arg(year)
        .arg(window.fromMonth)
        .arg(window.fromDay)
        .arg(window.untilMonth)
        .arg(window.untilDay);
}

// The limits under which a payment at the reconciliation is let go, as they are in `year`.
QString ExemptionWords(int year)
{
    return QStringLiteral("补税不超过 %1 元，或全年综合所得收入不超过 %2 万元，免予办理补税。")
        .arg(ShortAmount(law::kExemptPaymentLimit.forTaxYear(year)->value),
             TenThousandYuanText(law::kExemptIncomeLimit.forTaxYear(year)->value));
}

} // namespace

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

namespace {

// The bonus may be moved to the other treatment when the year is reconciled: whether that pays
// less, and by how much.
QString OtherTreatmentWords(const law::YearPlan& plan)
{
    const auto other = law::OtherTreatmentAtReconciliation(plan);
    if (!other)
        return QString();
    const QString name = other->treatment == BonusTreatment::Separate
                             ? QStringLiteral("单独计税")
                             : QStringLiteral("并入综合所得");
    if (other->saving > Money())
        return HtmlParagraph(QStringLiteral("提示：汇算时把年终奖改为%1，全年应纳税额 %2 元，"
                                            "比现在少缴 %3 元。")
                                 .arg(name, GroupedAmount(other->reconciliation.totalTax),
                                      GroupedAmount(other->saving)),
                             true);
    return HtmlParagraph(QStringLiteral("汇算时把年终奖改为%1不会更省：全年应纳税额 %2 元。")
                             .arg(name, GroupedAmount(other->reconciliation.totalTax)));
}

} // namespace

QString DescribeReconciliation(const law::YearPlanInput& input, const law::YearPlan& plan)
{
    const law::ReconciliationInput& in = plan.reconciliationInput;
    const law::ReconciliationResult& r = plan.reconciliation;
    FigureTable rows;
    const bool payments = r.income != r.wageIncome;
    rows.add(
        QStringLiteral("%1（本单位工资%2%3）")
            .arg(payments ? QStringLiteral("工资薪金收入") : QStringLiteral("全年综合所得收入"))
            .arg(in.separateBonus             ? QStringLiteral("，年终奖单独计税不计入")
                 : plan.totals.bonus.isZero() ? QString()
                                              : QStringLiteral("及年终奖"),
                 input.otherIncome.isZero()
                     ? QString()
                     : QStringLiteral("，其他收入 %1").arg(ShortAmount(input.otherIncome))),
        r.wageIncome);
    AddPaymentIncome(rows, input, plan);
    if (!in.exemptIncome.isZero())
        rows.add(QStringLiteral("减：免税收入"), in.exemptIncome);
    rows.add(QStringLiteral("减：基本减除费用"), r.basicDeduction);
    rows.add(QStringLiteral("减：专项扣除（个人社保公积金）"), in.specialDeduction);
    rows.add(QStringLiteral("减：专项附加扣除（含大病医疗、职业资格证书）"), in.specialAdditional);
    if (!in.otherDeduction.isZero())
        rows.add(QStringLiteral("减：其他扣除"), in.otherDeduction);
    rows.add(QStringLiteral("＝ 应纳税所得额"), r.taxableIncome, true);
    const law::RateTable table = law::LawFor({input.year, 12})->annualTable;
    rows.add(r.bracket.index ? QStringLiteral("综合所得税额：%1，%2% − %3")
                                   .arg(RowText(table, *r.bracket.index))
                                   .arg(r.bracket.ratePercent)
                                   .arg(ShortAmount(r.bracket.quickDeduction))
                             : QStringLiteral("综合所得税额"),
             r.incomeTax);
    if (in.separateBonus)
        rows.add(QStringLiteral("年终奖单独计税税额"), r.bonusTax);
    rows.add(QStringLiteral("全年应纳税额"), r.totalTax, true);
    rows.add(WithheldWords(input, plan), r.withheld);
    QString html = HtmlParagraph(ReconciliationTitle(input.year), true) + rows.html() +
                   HtmlParagraph(ReconciliationVerdict(r), true) + OtherTreatmentWords(plan) +
                   DescribePayments(input, plan);
    if (r.paymentExempt)
        html += HtmlParagraph(ExemptionWords(input.year)) + Source(r.exemption->source);
    else if (r.balance > Money() && !law::SmallPaymentExemptionFor(input.year))
        html += HtmlParagraph(QStringLiteral("%1年尚无免予补税的规定。").arg(input.year));
    if (input.firstMonthEmployed > 1)
        html += HtmlParagraph(
            QStringLiteral(
                "年中入职：入职前的收入请填在左侧“本年其他收入”；专项附加扣除按%1计入汇算。")
                .arg(input.reconcileItemsForWholeYear
                         ? QStringLiteral("全年 12 个月")
                         : QStringLiteral("入职后的 %1 个月").arg(13 - input.firstMonthEmployed)));
    return html;
}

} // namespace tallyra::year
