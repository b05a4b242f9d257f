// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dotted_line.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tallyra {
namespace {

QColor CurrentColour(const QWidget& widget, const ColourRule& rule)
{
    return ColourFor(widget.palette(), widget.palette().currentColorGroup(), rule);
}

// The first device pixel whose centre lies after `position` (a widget edge at a pixel centre
// leaves that pixel out).
int FirstPixelFrom(qreal position)
{
    return int(std::floor(position + 0.5));
}

} // namespace

DottedLine::DottedLine(const ColourRule& colour, QWidget* parent)
    : QWidget(parent)
    , colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// A one-pixel pen at 125 % or 150 % falls between device pixels and its dots round away; the
// dots are therefore placed on device pixels, a whole number of them thick (one up to 175 %, two
// from 200 %, three at 300 %).
void DottedLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QTransform toDevice = painter.deviceTransform();
    const QPointF topLeft = toDevice.map(QPointF(0, 0));
    const QPointF topRight = toDevice.map(QPointF(width(), 0));
    const int dot = std::max(1, int(std::floor(toDevice.m11() + 1e-6)));
    const int top = FirstPixelFrom(topLeft.y());
    const int left = FirstPixelFrom(topLeft.x());
    const int end = FirstPixelFrom(topRight.x());
    const QColor colour = CurrentColour(*this, colour_);
    const QTransform toWidget = toDevice.inverted();
    for (int x = left; x < end; x += 3 * dot) {
        const QRectF pixels(x, top, std::min(dot, end - x), dot);
        painter.fillRect(toWidget.mapRect(pixels), colour);
    }
}

SolidLine::SolidLine(const ColourRule& colour, QWidget* parent)
    : QWidget(parent)
    , colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SolidLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), CurrentColour(*this, colour_));
}

} // namespace tallyra
