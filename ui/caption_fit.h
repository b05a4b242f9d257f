// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tallyra {

// Keeps every caption of `window` whole under whatever style draws it: where a style gives a
// caption less room than the window was drawn for (a wider check box, a thicker button frame),
// that one caption's letters are set closer, just enough for it to fit, in the same font. Worked
// out again when the style or the font changes.
void KeepCaptionsWhole(QWidget* window);

} // namespace tallyra
