// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/figure_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

namespace tallyra {
namespace {

constexpr int kLineEditMargin = 2; // QLineEdit's own space each side of its text

} // namespace

FigureBox::FigureBox(const QString& text, QWidget* parent)
    : QLineEdit(text, parent)
{
    connect(this, &QLineEdit::textChanged, this, &FigureBox::refresh);
    refresh();
}

bool FigureBox::textFits() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect area = style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                           .marginsRemoved(textMargins());
    return fontMetrics().horizontalAdvance(text()) < area.width() - 2 * kLineEditMargin;
}

// The first digit shows again, and the tooltip tells what does not.
void FigureBox::refresh()
{
    if (!hasFocus())
        setCursorPosition(0);
    setToolTip(textFits() ? QString() : text());
}

// Tab selects the whole figure, as in any box, but from its end back to its start, so that the
// start is what shows.
void FigureBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (hasSelectedText() && selectedText() == text())
        setSelection(text().size(), -text().size());
}

// A context menu opening keeps the selection, for its Copy.
void FigureBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        setCursorPosition(0);
}

void FigureBox::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy && !hasSelectedText()) {
        QGuiApplication::clipboard()->setText(text());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FigureBox::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    refresh();
}

void FigureBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        refresh();
}

} // namespace tallyra
