// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/figure_table.h"

#include "year/amount_text.h"

namespace tallyra::year {

void FigureTable::add(const QString& words, const QString& figure, bool strong)
{
    const QString cell = strong ? QStringLiteral("<b>%1</b>") : QStringLiteral("%1");
    rows_ += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
                 .arg(cell.arg(words.toHtmlEscaped()), cell.arg(figure.toHtmlEscaped()));
}

void FigureTable::add(const QString& words, law::Money figure, bool strong)
{
    add(words, GroupedAmount(figure), strong);
}

QString FigureTable::html() const
{
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">%1</table>").arg(rows_);
}

QString HtmlParagraph(const QString& text, bool strong)
{
    return strong ? QStringLiteral("<p><b>%1</b></p>").arg(text.toHtmlEscaped())
                  : QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped());
}

QString HtmlSourceNote(const QString& citation)
{
    return QStringLiteral("<p><small>依据：%1</small></p>").arg(citation.toHtmlEscaped());
}

} // namespace tallyra::year
