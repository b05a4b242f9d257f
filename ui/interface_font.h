// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace tallyra {

// The CJK sans-serif face, at a size at which every Chinese caption fits its box: the font the
// windows are drawn for.
QFont InterfaceFont();

// Makes the CJK sans-serif face the application's default font, at a size at which every
// Chinese caption fits its box. Called once at start-up (and by the window tests).
void ApplyInterfaceFont();

// For a window laid out with layouts: keeps the size of the application font the user's desktop
// gives, and its face where that face has Chinese glyphs; otherwise the CJK sans-serif face
// comes first, the user's face behind it.
void AddChineseFace();

} // namespace tallyra
