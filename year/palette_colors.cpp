// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/palette_colors.h"

#include <algorithm>
#include <cmath>

namespace tallyra::year {

namespace {

double Linear(double channel)
{
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c)
{
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

QColor Mix(const QColor& a, const QColor& b, double share)
{
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

// Moves `colour` towards black or white, whichever lies away from the backgrounds, until it
// reaches 4.5:1 against both.
QColor Readable(QColor colour, const QColor& window, const QColor& base)
{
    const QColor target = IsDarkPalette(QPalette(window)) ? Qt::white : Qt::black;
    for (int step = 0; step < 20; ++step) {
        if (ContrastRatio(colour, window) >= 4.5 && ContrastRatio(colour, base) >= 4.5)
            break;
        colour = Mix(colour, target, 0.1);
    }
    return colour;
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDarkPalette(const QPalette& palette)
{
    return Luminance(palette.color(QPalette::Window)) < 0.2;
}

QColor WarningText(const QPalette& palette)
{
    const QColor start =
        IsDarkPalette(palette) ? QColor(0xff, 0x8a, 0x80) : QColor(0xb3, 0x26, 0x1e);
    return Readable(start, palette.color(QPalette::Window), palette.color(QPalette::Base));
}

QColor StepUpBackground(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    QColor tint = Mix(base, palette.color(QPalette::Highlight), 0.22);
    // Fade the tint back towards the base while the text on it would fall below 4.5:1.
    for (double share = 0.22; ContrastRatio(text, tint) < 4.5 && share > 0; share -= 0.04)
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
