// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

// The year planner's own colours, taken from the palette in force and held to the contrasts the
// windows keep (ui/contrast.h), so that warnings, marks and the chart read well on light and
// dark themes alike.
namespace tallyra::year {

// A palette whose window the classic black text does not read on.
bool IsDarkPalette(const QPalette& palette);

// A red for refusals and warnings with at least 4.5:1 against the palette's window and base.
QColor WarningText(const QPalette& palette);

// A faint tint of the highlight colour over the base, for the months in which the rate steps up;
// the text on it keeps at least 4.5:1.
QColor StepUpBackground(const QPalette& palette);

// The chart's two series: tax withheld and take-home pay, each distinct from the background.
QColor TaxSeriesColor(const QPalette& palette);
QColor TakeHomeSeriesColor(const QPalette& palette);

} // namespace tallyra::year
