// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/help_guide.h"

#include "law/laws.h"

#include <map>

namespace tallyra::year {

namespace {

// What each page answers, by its caption.
const std::map<QString, QString>& Answers()
{
    static const std::map<QString, QString> answers = {
        {QStringLiteral("逐月明细"),
         QStringLiteral(
             "每个月扣多少税、到手多少，为什么这个月的税比上个月多。选中一个月，下方逐步列出"
             "它的计算和社保公积金明细；工资一栏可直接修改。右键表头可显示社保公积金分项。")},
        {QStringLiteral("图表"),
         QStringLiteral("全年每月的预扣税和到手收入；鼠标停在柱子或点上显示准确金额。")},
        {QStringLiteral("年终奖"),
         QStringLiteral("年终奖单独计税还是并入综合所得更省，是否落在“多发少得”的区间。")},
        {QStringLiteral("年度汇算"),
         QStringLiteral("次年汇算时应退还是应补多少，改选年终奖计税方式能否更省。")},
        {QStringLiteral("税后倒推"),
         QStringLiteral("想每月到手多少，税前工资要多少：逐月的答案，以及全年同一工资的答案。")},
        {QStringLiteral("历年税法"),
         QStringLiteral("同样的工资在1994年以来每一部税法下交多少税。")},
        {QStringLiteral("方案对比"),
         QStringLiteral("两到四个工作机会（已保存的方案）并排对比，含公积金的全年收入和单位成本，"
                        "以及每月到手。")},
        {QStringLiteral("最优分配"),
         QStringLiteral("全年税前收入怎样分成每月工资和年终奖税最少，精确到分；可一键填入左侧。")},
        {QStringLiteral("工资条"),
         QStringLiteral("任一月份的工资条：每项缴费、计入的扣除、个税和实发；可复制（Ctrl+C）、"
                        "打印或导出 PDF，并以图显示税前收入的去向。")},
    };
    return answers;
}

} // namespace

QString PageAnswer(const QString& caption)
{
    const auto answer = Answers().find(caption);
    return answer == Answers().end() ? QString() : answer->second;
}

QString GuideHtml(const QStringList& pages)
{
    QString html = QStringLiteral(
        "<h3>年度个税计算 使用说明</h3>"
        "<p>在左侧填写年份、每月工资、年终奖、社保公积金基数和比例、各项专项附加扣除等，右侧各页"
        "随即按现行税法（累计预扣法）算出全年每个月的个税和到手收入。按 F9 可收起或展开左侧输入栏。</p>"
        "<p>单位有补充住房公积金或企业年金的，在“住房公积金”下一行和“企业年金”一行填写比例；"
        "再填上当地上年职工月平均工资，超过免税或扣除上限的部分就按规定计税，"
        "逐月明细下方的说明会列出上限的算法。</p>"
        "<h4>各页回答什么</h4><table cellspacing=\"0\" cellpadding=\"3\">");
    for (int i = 0; i < pages.size(); ++i) {
        html += QStringLiteral("<tr><td><b>%1</b>（Ctrl+%2）</td><td>%3</td></tr>")
                    .arg(pages[i].toHtmlEscaped())
                    .arg(i + 1)
                    .arg(PageAnswer(pages[i]).toHtmlEscaped());
    }
    html += QStringLiteral(
        "</table><h4>怎样输入金额</h4>"
        "<p>金额以元为单位，最多两位小数，可写千分位逗号、全角数字，也可写成“1.8万”（即 18,000 元）。"
        "输入有误时，框下会说明原因，右侧暂停计算。</p>"
        "<h4>数字从哪里来</h4>"
        "<p>税率表、减除费用、专项附加扣除标准、年终奖政策及其期限等，均按年份取自相应的法律和"
        "财政部、国家税务总局的公告；每页说明的末尾注明所依据的文件。");
    html += QStringLiteral("逐月预扣依据：%1。</p>")
                .arg(QString::fromStdString(law::CumulativeMethodSource()).toHtmlEscaped());
    html += QStringLiteral("<p>本程序的计算仅供参考，以税务机关的计算为准。</p>");
    return html;
}

} // namespace tallyra::year
