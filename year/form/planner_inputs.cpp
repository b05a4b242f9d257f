// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/form/planner_inputs.h"

namespace tallyra::year {

using law::Money;

PlannerInputs DefaultInputs(int year)
{
    PlannerInputs in;
    in.plan.year = year;
    in.wage = Money::Yuan(10'000);
    SpreadWage(in);
    return in;
}

void SpreadWage(PlannerInputs& inputs)
{
    for (std::size_t i = 0; i < 12; ++i)
        if (!inputs.wageEdited[i])
            inputs.plan.wages[i] = inputs.wage;
}

} // namespace tallyra::year
