// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

class QWidget;

namespace tallyra {

// Keeps `window`, every control in it and its menus at `font`, whatever a platform theme or a
// style sets as the application's font, before the window is built or while it is open: a
// window laid out for one font clips its captions at another. The font is set on the window
// itself, every property of it, and set again if anything replaces it.
void KeepFont(QWidget* window, const QFont& font);

} // namespace tallyra
