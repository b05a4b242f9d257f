// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;
class QPalette;

class QChart;

namespace tallyra::year {

// The chart's own theme, light or dark as the palette is, then the palette's base and text
// colours and the widget's font on its title, legend and axes, so that a chart sits in the
// window like any other control. A theme sets the series' colours too: set them after.
void StyleChart(QChart& chart, const QPalette& palette, const QFont& font);

} // namespace tallyra::year
