// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <array>

namespace tallyra::year {

// Everything the user sets in the year planner, in the engine's own terms.
struct PlannerInputs {
    // plan.wages holds every month's wage as the year table shows it: the form's wage, except
    // in the months edited in the table.
    law::YearPlanInput plan;
    law::Money wage;                   // the wage of the form
    std::array<bool, 12> wageEdited{}; // months whose wage was set in the table
    // Unsaved changes: the inputs differ from those last saved or loaded.
    bool operator==(const PlannerInputs&) const = default;
};

// The inputs of a new planner: `year`, a wage of 10,000, the common contribution rates, no
// deductions beyond the basic one.
PlannerInputs DefaultInputs(int year);

// Puts the form's wage into every month not edited in the table.
void SpreadWage(PlannerInputs& inputs);

} // namespace tallyra::year
