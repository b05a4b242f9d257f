// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

// Measuring what a widget really draws: colours and contrast read from its rendered pixels,
// not from the palette it was given.
namespace tallyra::test {

// The WCAG 2 contrast ratio of two opaque colours, from 1 (the same) to 21 (black on white).
double MeasuredContrast(QColor a, QColor b);

// The colour most pixels of `area` have: the background a text or a line is drawn on.
QColor MostCommonColour(const QImage& image, const QRect& area);

// The pixel of `area` that stands out most from `background`: the full colour of a text or a
// line, where its strokes cover a whole pixel.
QColor MostContrastingColour(const QImage& image, const QRect& area, QColor background);

// The contrast of what is drawn inside `area` (text, a line) against its most common colour;
// 1 when nothing is drawn there.
double DrawnContrast(const QImage& image, const QRect& area);

// The widget as it appears on screen, at its screen's device-pixel ratio.
QImage Grabbed(QWidget* widget);

// The widget rendered into an image of the given device-pixel ratio over `background`.
QImage RenderedAt(QWidget* widget, qreal devicePixelRatio, QColor background);

} // namespace tallyra::test
