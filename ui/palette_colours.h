// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

#include <initializer_list>

class QWidget;

// The colours a window's design fixes, made right for the desktop's palette: kept where the
// palette is the light one they were drawn for, replaced by the palette's own where it is not,
// and in either case made to stand out from what they are drawn on.
namespace tallyra {

struct ColourRule {
    QColor classic;                     // the design's colour; none: always the palette's own
    QPalette::ColorRole paletteRole;    // the palette's colour for it where the classic is not used
    QPalette::ColorRole background;     // what it is drawn on
    double minimum;                     // the contrast it must reach against that
    bool classicOnEveryPalette = false; // a colour that means something (results are blue)
};

// The colour `rule` gives in one colour group of `palette`.
QColor ColourFor(const QPalette& palette, QPalette::ColorGroup group, const ColourRule& rule);

// Sets `role` of `widget`'s palette, in each of `groups`, to the colour `rule` gives in the
// palette the widget would otherwise have, and sets it again whenever that palette changes: a
// desktop theme switched while the program runs, another style, a palette given to a parent.
// The widget's palette is then the rule's to keep: set nothing else on it.
void KeepColour(QWidget* widget, QPalette::ColorRole role, const ColourRule& rule,
                std::initializer_list<QPalette::ColorGroup> groups = {
                    QPalette::Active, QPalette::Inactive, QPalette::Disabled});

} // namespace tallyra
