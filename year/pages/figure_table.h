// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/money.h"

#include <QString>

// The HTML of the planner's explanations: a table of lines, each words and a figure aligned on
// the right, and the paragraphs around it.
namespace tallyra::year {

class FigureTable {
public:
    // One line; `strong` sets it in bold (a result).
    void add(const QString& words, const QString& figure = QString(), bool strong = false);
    void add(const QString& words, law::Money figure, bool strong = false);
    bool isEmpty() const { return rows_.isEmpty(); }
    QString html() const;

private:
    QString rows_;
};

QString HtmlParagraph(const QString& text, bool strong = false);
// The closing line that names the law an explanation follows.
QString HtmlSourceNote(const QString& citation);

} // namespace tallyra::year
