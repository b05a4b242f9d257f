// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/group_frame.h"

#include "ui/contrast.h"
#include "ui/palette_colours.h"

#include <QPainter>

namespace tallyra {
namespace {

constexpr int kBorderTop = 7;   // the border's top edge, through the middle of the caption
constexpr int kCaptionLeft = 7; // where the gap for the caption starts
constexpr int kCaptionGap = 7;  // the gap is this much wider than the caption, which is centred
constexpr qreal kRadius = 2;
constexpr qreal kPen = 1;
// The palette's mid tone, lighter or darker where it would not be seen against the window.
const ColourRule kBorder{QColor(), QPalette::Mid, QPalette::Window, kGraphicContrast};

} // namespace

GroupFrame::GroupFrame(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent)
{
}

// The straight edges are filled; each rounded corner is two antialiased eighth-circle arcs, one
// drawn with each edge that meets there, in the order right, top, bottom, left. That order
// decides how the antialiased halves blend, and with it the corners' exact pixels (kept in
// tests/data/group_frame.png).
void GroupFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect caption(kCaptionLeft, 0, fontMetrics().horizontalAdvance(title()) + kCaptionGap,
                        fontMetrics().height());
    painter.setClipRegion(QRegion(rect()).subtracted(caption));

    const QColor color = ColourFor(palette(), palette().currentColorGroup(), kBorder);
    const QRectF border(0, kBorderTop, width(), height() - kBorderTop);
    const qreal straight = 2 * kRadius;
    painter.fillRect(QRectF(border.left() + kRadius, border.top(), border.width() - straight, kPen),
                     color);
    painter.fillRect(
        QRectF(border.left() + kRadius, border.bottom() - kPen, border.width() - straight, kPen),
        color);
    painter.fillRect(
        QRectF(border.left(), border.top() + kRadius, kPen, border.height() - straight), color);
    painter.fillRect(
        QRectF(border.right() - kPen, border.top() + kRadius, kPen, border.height() - straight),
        color);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, kPen, Qt::SolidLine, Qt::SquareCap));
    const qreal size = straight - kPen;
    const qreal left = border.left() + kPen / 2;
    const qreal right = border.right() - straight + kPen / 2;
    const qreal top = border.top() + kPen / 2;
    const qreal bottom = border.bottom() - straight + kPen / 2;
    const QRectF topLeft(left, top, size, size);
    const QRectF topRight(right, top, size, size);
    const QRectF bottomLeft(left, bottom, size, size);
    const QRectF bottomRight(right, bottom, size, size);
    const auto eighth = [&painter](const QRectF& corner, int startDegrees) {
        painter.drawArc(corner, startDegrees * 16, 45 * 16);
    };
    eighth(topRight, 0); // right edge
    eighth(bottomRight, 315);
    eighth(topLeft, 90); // top edge
    eighth(topRight, 45);
    eighth(bottomRight, 270); // bottom edge
    eighth(bottomLeft, 225);
    eighth(bottomLeft, 180); // left edge
    eighth(topLeft, 135);

    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRectF(caption), Qt::AlignCenter, title());
}

} // namespace tallyra
