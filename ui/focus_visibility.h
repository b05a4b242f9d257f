// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tallyra {

// Makes the focused control of `window` always show its focus. Qt hides the focus of buttons,
// options and check boxes after each activation of a window until Tab is pressed; a keyboard
// user must always see where a key press goes.
void KeepFocusVisible(QWidget* window);

} // namespace tallyra
