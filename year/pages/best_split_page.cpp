// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/best_split_page.h"

#include "year/amount_text.h"
#include "year/pages/figure_table.h"
#include "year/pages/plan_texts.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <stdexcept>

namespace tallyra::year {

using law::Money;
using law::PackageSplit;

namespace {

QString TreatmentText(const PackageSplit& split)
{
    if (split.bonus.isZero())
        return QStringLiteral("—");
    return split.treatment == law::BonusTreatment::Separate ? QStringLiteral("单独计税")
                                                            : QStringLiteral("并入综合所得");
}

QString WageText(const PackageSplit& split)
{
    return split.monthlyWage ? GroupedAmount(*split.monthlyWage) : QStringLiteral("各月不同");
}

// "+1,234.00", "-56.00", "0.00": a difference from today's split.
QString DifferenceText(Money difference)
{
    return (difference.isNegative() || difference.isZero() ? QString() : QStringLiteral("+")) +
           GroupedAmount(difference);
}

QString Cell(const QString& text, bool right, bool header = false)
{
    const QString tag = header ? QStringLiteral("th") : QStringLiteral("td");
    return QStringLiteral("<%1 align=\"%2\">%3</%1>")
        .arg(tag, right ? QStringLiteral("right") : QStringLiteral("left"), text.toHtmlEscaped());
}

// The splits side by side: the best, the next ones, and today's.
QString ComparisonTable(const law::BestSplit& found)
{
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\" border=\"1\" "
                                  "style=\"border-collapse: collapse\"><tr>");
    for (const QString& heading : {QStringLiteral("分配"), QStringLiteral("每月工资"),
                                   QStringLiteral("年终奖"), QStringLiteral("年终奖计税"),
                                   QStringLiteral("全年个税"), QStringLiteral("个人社保公积金"),
                                   QStringLiteral("全年到手"), QStringLiteral("比现在多到手")})
        html += Cell(heading, false, true);
    html += QStringLiteral("</tr>");
    auto row = [&](const QString& name, const PackageSplit& split) {
        html += QStringLiteral("<tr>") + Cell(name, false) + Cell(WageText(split), true) +
                Cell(GroupedAmount(split.bonus), true) + Cell(TreatmentText(split), false) +
                Cell(GroupedAmount(split.tax), true) +
                Cell(GroupedAmount(split.employeeContributions), true) +
                Cell(GroupedAmount(split.takeHome), true) +
                Cell(DifferenceText(split.takeHome - found.today.takeHome), true) +
                QStringLiteral("</tr>");
    };
    row(QStringLiteral("最优"), found.best);
    const QStringList names = {QStringLiteral("次优"), QStringLiteral("第三")};
    for (std::size_t i = 0; i < found.runnersUp.size(); ++i)
        row(names[int(i)], found.runnersUp[i]);
    row(QStringLiteral("现在"), found.today);
    return html + QStringLiteral("</table>");
}

QString Headline(const law::BestSplit& found)
{
    const PackageSplit& best = found.best;
    if (found.saving().isZero() || found.saving().isNegative())
        return QStringLiteral("现在的分配已是税最少的：全年个税 %1 元。")
            .arg(GroupedAmount(found.today.tax));
    const QString bonus = best.bonus.isZero()
                              ? QStringLiteral("不发年终奖")
                              : QStringLiteral("年终奖 %1 元（%2）")
                                    .arg(GroupedAmount(best.bonus), TreatmentText(best));
    return QStringLiteral("最优分配：每月工资 %1 元，%2，全年个税 %3 元，比现在少缴 %4 元。")
        .arg(WageText(best), bonus, GroupedAmount(best.tax), GroupedAmount(found.saving()));
}

// The best split as the planner's inputs: everything else as typed.
law::YearPlanInput InputOf(const law::YearPlanInput& typed, const law::BestSplit& found)
{
    law::YearPlanInput input = typed;
    input.wages.fill(*found.best.monthlyWage);
    input.bonus = found.best.bonus;
    input.bonusTreatment = found.best.treatment;
    return input;
}

// The best split worked out: the package divided, then the year's reconciliation of it.
QString Working(const law::YearPlanInput& typed, const law::BestSplit& found)
{
    const PackageSplit& best = found.best;
    FigureTable lines;
    lines.add(QStringLiteral("全年税前收入（%1 个月工资与年终奖）").arg(found.months),
              found.package);
    lines.add(QStringLiteral("每月工资 %1 × %2 个月").arg(WageText(best)).arg(found.months),
              best.yearWages);
    lines.add(QStringLiteral("年终奖 ＝ %1 − %2")
                  .arg(GroupedAmount(found.package), GroupedAmount(best.yearWages)),
              best.bonus);
    lines.add(QStringLiteral("个人社保公积金"), best.employeeContributions);
    lines.add(QStringLiteral("全年个税（年度汇算后）"), best.tax);
    lines.add(QStringLiteral("全年到手 ＝ 税前收入 − 社保公积金 − 个税"), best.takeHome, true);
    const law::YearPlanInput input = InputOf(typed, found);
    return QStringLiteral("<h3>最优分配的计算</h3>") + lines.html() +
           DescribeReconciliation(input, law::PlanYear(input));
}

QString Method()
{
    return HtmlParagraph(QStringLiteral(
        "怎样找到：其余输入（年终奖发放月、社保公积金基数与比例、各项扣除、其他收入）照左侧"
        "不变，只改变全年税前收入在每月工资与年终奖之间的分配；年终奖的两种计税方式都算，"
        "取汇算后税少的一种。全年个税随分配分段按直线变化，只在税率跳档、社保基数到顶或到底"
        "处转折，所以最少的税必在这些转折点上：逐个检查每个转折点及其前后的每一分钱，结果"
        "精确到分。次优与第三是年终奖落在年终奖税率表其他级次时的最优分配。"));
}

} // namespace

BestSplitPage::BestSplitPage(QWidget* parent)
    : QWidget(parent)
    , view_(new QTextBrowser)
    , applyButton_(new QPushButton(QStringLiteral("采用最优分配(&R)")))
{
    view_->setObjectName(QStringLiteral("bestSplitView"));
    view_->setAccessibleName(QStringLiteral("最优分配"));
    view_->setOpenLinks(false);
    applyButton_->setObjectName(QStringLiteral("applyBestSplitButton"));
    applyButton_->setToolTip(QStringLiteral("把最优分配的每月工资和年终奖填入左侧"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addWidget(applyButton_, 0, Qt::AlignLeft);
    connect(applyButton_, &QPushButton::clicked, this, &BestSplitPage::apply);
}

void BestSplitPage::refresh(const PlannerState& state)
{
    found_.reset();
    applyButton_->setEnabled(false);
    if (!state.inputs || !state.plan)
        return showRefusal(QStringLiteral("左侧输入有误，暂不计算。"));
    const law::YearPlanInput& typed = state.inputs->plan;
    try {
        found_ = law::FindBestSplit(typed);
    } catch (const law::MoneyOverflow&) {
        return showRefusal(QStringLiteral("金额过大，超出可计算的范围。"));
    } catch (const std::invalid_argument&) {
        return showRefusal(
            QStringLiteral("年终奖的发放月在入职之前，或个人缴费比例合计达到 100%，无法分配。"));
    }
    if (found_->package.isZero()) {
        found_.reset();
        return showRefusal(QStringLiteral("没有工资和年终奖可以分配。"));
    }
    applyButton_->setEnabled(found_->saving() > Money());
    view_->setHtml(HtmlParagraph(Headline(*found_), true) +
                   HtmlParagraph(QStringLiteral("全年税前收入 %1 元（%2 个月工资与年终奖）"
                                                "怎样分成每月工资和年终奖，全年个税最少：")
                                     .arg(GroupedAmount(found_->package))
                                     .arg(found_->months)) +
                   ComparisonTable(*found_) + Working(typed, *found_) + Method());
}

void BestSplitPage::showRefusal(const QString& text)
{
    view_->setHtml(HtmlParagraph(text));
}

void BestSplitPage::apply()
{
    if (found_ && found_->best.monthlyWage)
        emit applyRequested(*found_->best.monthlyWage, found_->best.bonus, found_->best.treatment);
}

} // namespace tallyra::year
