// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

// Colours that stay readable on any desktop palette: the contrast of two colours, and a colour
// moved just far enough in lightness to reach a given contrast against what it is drawn on.
namespace tallyra {

// The contrasts the windows keep (WCAG 2): text, and lines and frames that must be seen.
constexpr double kTextContrast = 4.5;
constexpr double kGraphicContrast = 3.0;

// The WCAG 2 contrast ratio of `colour` drawn over the opaque `background`: 1 for the same
// colour, 21 for black on white. A translucent colour counts as blended over the background.
double ContrastRatio(QColor colour, QColor background);

// `preferred` when it reaches `minimum` against `background`; otherwise the colour of the same
// hue and saturation whose lightness is nearest to it among those that do. Where no lightness
// reaches it, the lightness that comes closest.
QColor WithContrast(QColor preferred, QColor background, double minimum);

// A palette whose window the classic black text reads on (4.5:1): the palette the classic
// colours of the windows were drawn for.
bool IsLightPalette(const QPalette& palette, QPalette::ColorGroup group = QPalette::Active);

} // namespace tallyra
