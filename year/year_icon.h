// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace tallyra::year {

// The year planner's icon: the program's artwork as a wall calendar, on blue.
QIcon YearIcon();

} // namespace tallyra::year
