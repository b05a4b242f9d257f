#pragma once

#include "window/form_controls.h"

namespace tallyra {

// Gives the controls of the main window what a screen reader announces: a Chinese name taken
// from the caption a sighted user reads beside each box, a description on every result box,
// and labels as buddies of the boxes they caption. The salary box's name follows the chosen
// direction (税前 / 税后).
void DescribeForScreenReaders(const FormControls& controls, QWidget* client);

} // namespace tallyra
