// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/files/print_report.h"

#include "year/form/input_summary.h"
#include "year/pages/plan_texts.h"

#include <QAbstractItemModel>
#include <QFont>
#include <QPrinter>
#include <QTextDocument>

namespace tallyra::year {

namespace {

QString TableHtml(const QAbstractItemModel& model)
{
    QString html = QStringLiteral("<table class=\"year\" cellspacing=\"0\" cellpadding=\"3\"><tr>");
    for (int c = 0; c < model.columnCount(); ++c)
        html += QStringLiteral("<th>%1</th>")
                    .arg(model.headerData(c, Qt::Horizontal)
                             .toString()
                             .toHtmlEscaped()
                             .replace(QLatin1Char('\n'), QStringLiteral("<br/>")));
    html += QStringLiteral("</tr>");
    for (int r = 0; r < model.rowCount(); ++r) {
        const bool totals = r == model.rowCount() - 1;
        html += QStringLiteral("<tr>");
        for (int c = 0; c < model.columnCount(); ++c) {
            const QString text = model.data(model.index(r, c)).toString().toHtmlEscaped();
            html += QStringLiteral("<td align=\"%1\">%2</td>")
                        .arg(c == 0 ? QStringLiteral("left") : QStringLiteral("right"),
                             totals ? QStringLiteral("<b>%1</b>").arg(text) : text);
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

} // namespace

QString ReportHtml(const PlannerInputs& inputs, const law::YearPlan& plan,
                   const QAbstractItemModel& table, const QDate& today, const QString& profileName)
{
    QString html = QStringLiteral("<html><head><style>"
                                  "table.year { border-collapse: collapse; }"
                                  "table.year th, table.year td { border: 1px solid #888888; }"
                                  "h1 { font-size: 16pt; } h2 { font-size: 12pt; }"
                                  "</style></head><body>");
    html +=
        QStringLiteral("<h1>年度个税计算 — %1年%2</h1>")
            .arg(inputs.plan.year)
            .arg(profileName.isEmpty() ? QString()
                                       : QStringLiteral("（%1）").arg(profileName.toHtmlEscaped()));
    html += QStringLiteral("<p>打印日期：%1　　Tallyra 年度个税计算</p>")
                .arg(today.toString(QStringLiteral("yyyy年M月d日")));
    html += QStringLiteral("<h2>输入</h2><p>");
    for (const QString& line : InputSummary(inputs))
        html += line.toHtmlEscaped() + QStringLiteral("<br/>");
    html += QStringLiteral("</p><h2>逐月明细</h2>") + TableHtml(table);
    html += QStringLiteral("<h2>年终奖</h2>") + DescribeBonus(inputs.plan, plan);
    html += QStringLiteral("<h2>年度汇算</h2>") + DescribeReconciliation(inputs.plan, plan);
    return html + QStringLiteral("</body></html>");
}

void PrintReport(QPrinter& printer, const QString& html, const QFont& font)
{
    QTextDocument document;
    QFont body = font;
    body.setPointSizeF(9);
    document.setDefaultFont(body);
    document.setHtml(html);
    // No page size of its own: print() lays the text out on the printer's page, with margins
    // and a page number at the foot of each page.
    document.print(&printer);
}

} // namespace tallyra::year
