// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>
#include <QString>

#include <vector>

// The desktop palettes the windows are checked under: the light one every style starts from,
// and dark and grey ones that styles and themes hand to every Qt program. (Qt's GTK3 theme with
// Adwaita:dark gives the Fusion dark palette's colours.)
namespace tallyra::test {

struct NamedPalette {
    const char* name;
    QPalette palette;
};

// The Fusion palette as Qt builds it for a light or for a dark colour scheme.
QPalette FusionPalette(bool dark);

// A palette written as a colour-scheme file does it: each group's 21 colours, in the order of
// QPalette::ColorRole, as "#aarrggbb" separated by commas.
QPalette SchemePalette(const char* active, const char* disabled, const char* inactive);

// light; Fusion dark; Adwaita-Dark; the qt6ct schemes "darker" and "dusk"; black.
std::vector<NamedPalette> DesktopPalettes();

} // namespace tallyra::test
