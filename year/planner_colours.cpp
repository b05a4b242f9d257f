// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/planner_colours.h"

#include "ui/contrast.h"

namespace tallyra::year {

namespace {

QColor Mix(const QColor& a, const QColor& b, double share)
{
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

} // namespace

bool IsDarkPalette(const QPalette& palette)
{
    return !IsLightPalette(palette);
}

QColor WarningText(const QPalette& palette)
{
    const QColor start =
        IsDarkPalette(palette) ? QColor(0xff, 0x8a, 0x80) : QColor(0xb3, 0x26, 0x1e);
    // Held to the one of the two backgrounds it stands out from least.
    const QColor window = palette.color(QPalette::Window);
    const QColor base = palette.color(QPalette::Base);
    const QColor against =
        ContrastRatio(start, window) <= ContrastRatio(start, base) ? window : base;
    return WithContrast(start, against, kTextContrast);
}

QColor StepUpBackground(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    QColor tint = Mix(base, palette.color(QPalette::Highlight), 0.22);
    // Fade the tint back towards the base while the text on it would fall below 4.5:1.
    for (double share = 0.22; ContrastRatio(text, tint) < kTextContrast && share > 0; share -= 0.04)
        tint = Mix(base, palette.color(QPalette::Highlight), share);
    return tint;
}

QColor TaxSeriesColor(const QPalette& palette)
{
    return IsDarkPalette(palette) ? QColor(0xff, 0x8a, 0x65) : QColor(0xd8, 0x43, 0x15);
}

QColor TakeHomeSeriesColor(const QPalette& palette)
{
    return IsDarkPalette(palette) ? QColor(0x64, 0xb5, 0xf6) : QColor(0x15, 0x65, 0xc0);
}

} // namespace tallyra::year
