// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tallyra {

// The spin boxes and list boxes inside `container` take the mouse wheel only once the user has
// chosen them (clicked or tabbed to them); until then the wheel goes on to what holds them, so
// that a user scrolling a long form does not change the box that happens to pass the pointer.
void TakeWheelOnlyWithFocus(QWidget* container);

} // namespace tallyra
