// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/files/print_report.h"

#include "year/form/input_summary.h"
#include "year/pages/plan_texts.h"
#include "year/pages/year_table_model.h"

#include <QAbstractItemModel>
#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <QTextDocument>
#include <QTextFrame>

namespace tallyra::year {

namespace {

QString TableHtml(const QAbstractItemModel& model)
{
    // The columns that fit a landscape page: the contribution items apart.
    const int columns = std::min(model.columnCount(), int(YearTableModel::ColumnCount));
    // The header row in <thead> is repeated at the top of every page the table runs onto.
    QString html = QStringLiteral(
        "<table class=\"year\" width=\"100%\" cellspacing=\"0\" cellpadding=\"3\"><thead><tr>");
    for (int c = 0; c < columns; ++c)
        html += QStringLiteral("<th>%1</th>")
                    .arg(model.headerData(c, Qt::Horizontal)
                             .toString()
                             .toHtmlEscaped()
                             .replace(QLatin1Char('\n'), QStringLiteral("<br/>")));
    html += QStringLiteral("</tr></thead>");
    for (int r = 0; r < model.rowCount(); ++r) {
        const bool totals = r == model.rowCount() - 1;
        html += QStringLiteral("<tr>");
        for (int c = 0; c < columns; ++c) {
            const QString text = model.data(model.index(r, c)).toString().toHtmlEscaped();
            html += QStringLiteral("<td align=\"%1\">%2</td>")
                        .arg(c == 0 ? QStringLiteral("left") : QStringLiteral("right"),
                             totals ? QStringLiteral("<b>%1</b>").arg(text) : text);
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// Where a block or a table of the report lies, from the top of the first page.
QRectF Extent(QTextDocument& document, const QTextFrame::iterator& item)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    if (QTextFrame* frame = item.currentFrame())
        return layout->frameBoundingRect(frame);
    return layout->blockBoundingRect(item.currentBlock());
}

} // namespace

// A section (a heading and what follows it up to the next heading) that would run over a page
// break, but fits on one page, starts on a new page.
void KeepSectionsTogether(QTextDocument& document)
{
    const qreal pageHeight = document.pageSize().height();
    QTextFrame* root = document.rootFrame();
    for (auto it = root->begin(); !it.atEnd();) {
        const QTextBlock heading = it.currentBlock();
        if (!heading.isValid() || heading.blockFormat().headingLevel() != 2) {
            ++it;
            continue;
        }
        const qreal top = Extent(document, it).top();
        qreal bottom = Extent(document, it).bottom();
        for (++it; !it.atEnd(); ++it) {
            if (it.currentBlock().isValid() && it.currentBlock().blockFormat().headingLevel() == 2)
                break;
            bottom = std::max(bottom, Extent(document, it).bottom());
        }
        const bool split = int(top / pageHeight) != int((bottom - 1) / pageHeight);
        if (split && bottom - top <= pageHeight) {
            QTextBlockFormat format;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(heading).mergeBlockFormat(format);
        }
    }
}

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
    html += QStringLiteral("<h2>年终奖</h2>") + DescribeBonus(inputs.plan, plan, Medium::Paper);
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
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    // Laid out on the printer's page less a line for the page number, at the printer's
    // resolution, so that the sections kept together here are together on paper.
    document.documentLayout()->setPaintDevice(&printer);
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const QFontMetricsF metrics(body, &printer);
    const qreal footer = 2 * metrics.height();
    document.setPageSize(QSizeF(area.width(), area.height() - footer));
    KeepSectionsTogether(document);
    const qreal pageHeight = document.pageSize().height();
    const int pages = document.pageCount();
    painter.setFont(QFont(body, &printer));
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer.newPage();
        painter.save();
        painter.translate(0, -page * pageHeight);
        document.drawContents(&painter, QRectF(0, page * pageHeight, area.width(), pageHeight));
        painter.restore();
        painter.drawText(QRectF(0, pageHeight, area.width(), footer),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("第 %1 页，共 %2 页").arg(page + 1).arg(pages));
    }
}

} // namespace tallyra::year
