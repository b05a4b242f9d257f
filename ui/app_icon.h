// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace tallyra {

// The program's icon: the main window's, the About box's and the desktop entry's artwork.
QIcon AppIcon();

} // namespace tallyra
