// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/payslip.h"

#include "year/amount_text.h"
#include "year/pages/contribution_items.h"
#include "year/pages/figure_table.h"

#include <QStringList>

namespace tallyra::year {

using law::Money;

namespace {

// The payslip's lines, written once for the rich text and the plain text.
class Lines {
public:
    void add(const QString& words, Money amount, bool strong = false)
    {
        html_.add(words, amount, strong);
        text_ << words + QLatin1Char('\t') + GroupedAmount(amount);
    }
    void heading(const QString& words)
    {
        html_.add(words, QString(), true);
        text_ << words;
    }
    FigureTable html_;
    QStringList text_;
};

void AddContributions(Lines& lines, const law::ContributionSetup& setup, const law::MonthPlan& m)
{
    lines.heading(QStringLiteral("个人缴费（从工资中扣）"));
    for (const ContributionItem& item : EmployeeItems(setup, m.contributions))
        lines.add(QStringLiteral("　") + item.working(), item.amount);
    lines.add(QStringLiteral("　个人缴费合计"), m.contributions.employeeTotal());
}

void AddDeductions(Lines& lines, const law::MonthPlan& m)
{
    const law::SpecialDeductionBreakdown& s = m.special;
    if (s.total().isZero() && m.certificate.isZero())
        return;
    lines.heading(QStringLiteral("本月计入的专项附加扣除"));
    const std::pair<const char*, Money> items[] = {
        {"　子女教育", s.childEducation},      {"　3岁以下婴幼儿照护", s.infantCare},
        {"　继续教育", s.continuingEducation}, {"　住房", s.housing},
        {"　赡养老人", s.elderlySupport},      {"　职业资格证书", m.certificate}};
    for (const auto& [name, amount] : items)
        if (!amount.isZero())
            lines.add(QString::fromUtf8(name), amount);
}

} // namespace

Payslip MakePayslip(const law::YearPlanInput& input, const law::YearPlan& plan, int month)
{
    const law::MonthPlan& m = plan.months[std::size_t(month - 1)];
    Lines lines;
    lines.add(QStringLiteral("应发工资"), m.wage);
    if (!m.bonus.isZero())
        lines.add(QStringLiteral("年终奖"), m.bonus);
    AddContributions(lines, input.contributions, m);
    AddDeductions(lines, m);
    lines.add(QStringLiteral("本月预扣个税（累计预扣法）"), m.step.withheld);
    if (!m.bonusTax.isZero())
        lines.add(QStringLiteral("年终奖个税（单独计税）"), m.bonusTax);
    lines.add(QStringLiteral("实发金额"), m.takeHome, true);
    Payslip slip;
    slip.title = QStringLiteral("%1年%2月工资条").arg(input.year).arg(month);
    slip.html = QStringLiteral("<h3>%1</h3>").arg(slip.title.toHtmlEscaped()) + lines.html_.html();
    slip.text =
        slip.title + QLatin1Char('\n') + lines.text_.join(QLatin1Char('\n')) + QLatin1Char('\n');
    return slip;
}

} // namespace tallyra::year
