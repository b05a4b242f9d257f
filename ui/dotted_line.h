// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/palette_colours.h"

#include <QWidget>

namespace tallyra {

// A horizontal dotted line, the separator above the fund totals: one dot, then a gap of two,
// each as wide as the line is thick. Drawn in the screen's own pixels, so that it shows at every
// scale factor, and in the colour its rule gives for the palette of the moment.
class DottedLine : public QWidget {
public:
    DottedLine(const ColourRule& colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColourRule colour_;
};

// A strip filled with the colour its rule gives for the palette of the moment: the two lines of
// an etched separator.
class SolidLine : public QWidget {
public:
    SolidLine(const ColourRule& colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColourRule colour_;
};

} // namespace tallyra
