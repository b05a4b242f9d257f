// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/pixels.h"

#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tallyra::test {
namespace {

double Channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(QColor c)
{
    return 0.2126 * Channel(c.red()) + 0.7152 * Channel(c.green()) + 0.0722 * Channel(c.blue());
}

} // namespace

double MeasuredContrast(QColor a, QColor b)
{
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor MostCommonColour(const QImage& image, const QRect& area)
{
    QHash<QRgb, int> counts;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000u];
    }
    QRgb common = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            common = it.key();
        }
    }
    return QColor::fromRgb(common);
}

QColor MostContrastingColour(const QImage& image, const QRect& area, QColor background)
{
    QColor best = background;
    double bestContrast = 1;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = QColor::fromRgb(image.pixel(x, y) | 0xff000000u);
            if (const double contrast = MeasuredContrast(pixel, background);
                contrast > bestContrast) {
                bestContrast = contrast;
                best = pixel;
            }
        }
    }
    return best;
}

double DrawnContrast(const QImage& image, const QRect& area)
{
    const QColor background = MostCommonColour(image, area);
    return MeasuredContrast(MostContrastingColour(image, area, background), background);
}

QImage Grabbed(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage RenderedAt(QWidget* widget, qreal devicePixelRatio, QColor background)
{
    const QSize size = (QSizeF(widget->size()) * devicePixelRatio).toSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(background);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace tallyra::test
