// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/form_controls.h"

namespace tallyra {

// What a screen reader announces that changes while the window runs: the salary box's name
// follows the chosen direction (税前 / 税后). The fixed names, descriptions and buddies come with
// the controls from their table.
void FollowDirectionForScreenReaders(const FormControls& controls);

} // namespace tallyra
