// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/form_pane.h"

#include "ui/wheel_guard.h"

#include <QApplication>
#include <QEvent>
#include <QScrollBar>
#include <QStyle>

namespace tallyra::year {

FormPane::FormPane(QWidget* content, QWidget* parent)
    : QScrollArea(parent)
{
    setObjectName(QStringLiteral("inputScroll"));
    setWidget(content);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the form is as wide as the pane
    setFocusPolicy(Qt::NoFocus); // Tab goes into the form; the pane follows the focus
    TakeWheelOnlyWithFocus(content);
    content->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { showFocused(now); });
    fitWidth();
}

// Wide enough for the form at the user's font and style, and for at least 30 characters; the
// hints below the boxes wrap.
void FormPane::fitWidth()
{
    widget()->ensurePolished(); // the style's margins and paddings count
    const int em = fontMetrics().horizontalAdvance(QStringLiteral("税"));
    const int form = widget()->minimumSizeHint().width() + 2 * frameWidth() +
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    setMinimumWidth(std::max(30 * em, form));
}

bool FormPane::eventFilter(QObject* watched, QEvent* event)
{
    // A row shown or hidden, a font or a style changed: the form asks for a new layout.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        fitWidth();
    return QScrollArea::eventFilter(watched, event);
}

// Qt's scroll area brings the focused box into view on both axes, with a margin that scrolls
// the captions out on the left; here the focus change itself brings it into view, down only.
bool FormPane::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

void FormPane::showFocused(QWidget* focus)
{
    if (!focus || !widget()->isAncestorOf(focus))
        return;
    const int top = focus->mapTo(widget(), QPoint()).y();
    const int bottom = top + focus->height();
    const int margin = fontMetrics().height();
    QScrollBar* bar = verticalScrollBar();
    if (top - margin < bar->value())
        bar->setValue(top - margin);
    else if (bottom + margin > bar->value() + viewport()->height())
        bar->setValue(bottom + margin - viewport()->height());
    horizontalScrollBar()->setValue(0);
}

} // namespace tallyra::year
