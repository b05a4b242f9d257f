// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/contrast.h"

#include <algorithm>
#include <cmath>

namespace tallyra {
namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(QColor c)
{
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

QColor Blended(QColor colour, QColor background)
{
    const double a = colour.alphaF();
    const auto mix = [a](double top, double bottom) { return a * top + (1 - a) * bottom; };
    return QColor::fromRgbF(float(mix(colour.redF(), background.redF())),
                            float(mix(colour.greenF(), background.greenF())),
                            float(mix(colour.blueF(), background.blueF())));
}

// The colour at `lightness` with the hue and saturation of `colour`, in whole 8-bit steps: what
// is drawn is what is measured.
QColor AtLightness(QColor colour, double lightness)
{
    const QColor hsl = colour.toHsl();
    const float hue = std::max(hsl.hslHueF(), 0.0f); // an achromatic colour reports -1
    const QColor moved = QColor::fromHslF(hue, hsl.hslSaturationF(), float(lightness));
    return QColor(moved.red(), moved.green(), moved.blue());
}

// The lightness between `from` (not reaching the minimum) and `to` (reaching it) nearest to
// `from` that reaches it. Along such a path contrast only falls and then rises, so the
// lightnesses that reach it form one stretch ending at `to`.
double NearestReaching(QColor colour, QColor background, double minimum, double from, double to)
{
    for (int step = 0; step < 16; ++step) {
        const double middle = (from + to) / 2;
        if (ContrastRatio(AtLightness(colour, middle), background) >= minimum)
            to = middle;
        else
            from = middle;
    }
    return to;
}

} // namespace

double ContrastRatio(QColor colour, QColor background)
{
    const double a = Luminance(Blended(colour, background));
    const double b = Luminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor WithContrast(QColor preferred, QColor background, double minimum)
{
    const QColor opaque = Blended(preferred, background);
    if (ContrastRatio(opaque, background) >= minimum)
        return preferred;
    const double start = opaque.toHsl().lightnessF();
    const QColor darkest = AtLightness(opaque, 0);
    const QColor lightest = AtLightness(opaque, 1);
    const bool darker = ContrastRatio(darkest, background) >= minimum;
    const bool lighter = ContrastRatio(lightest, background) >= minimum;
    if (!darker && !lighter)
        return ContrastRatio(darkest, background) > ContrastRatio(lightest, background) ? darkest
                                                                                        : lightest;
    const double down = darker ? NearestReaching(opaque, background, minimum, start, 0) : -1;
    const double up = lighter ? NearestReaching(opaque, background, minimum, start, 1) : 2;
    return AtLightness(opaque, start - down <= up - start ? down : up);
}

bool IsLightPalette(const QPalette& palette, QPalette::ColorGroup group)
{
    return ContrastRatio(Qt::black, palette.color(group, QPalette::Window)) >= kTextContrast;
}

} // namespace tallyra
