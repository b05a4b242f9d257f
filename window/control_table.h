// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/form_builder.h"
#include "window/form_controls.h"

#include <span>

namespace tallyra {

// Every control of the main window, containers before their contents: one row each, the only
// place a control's name, caption, place, tab position, initial state, typed member,
// screen-reader name and buddy are written.
std::span<const ControlRow<FormControls>> ControlTable();

constexpr int kClientWidthTwips = 5235;
constexpr int kClientHeightTwips = 7155;

} // namespace tallyra
