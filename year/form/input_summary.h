// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/form/planner_inputs.h"

#include <QStringList>

namespace tallyra::year {

// The inputs in words, one "caption：value" line each, for the printed page and the profile
// comparison.
QStringList InputSummary(const PlannerInputs& inputs);

} // namespace tallyra::year
