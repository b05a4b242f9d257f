// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/calendar.h"

#include <optional>

// The tax years a planner can offer, and the end of a rule it must explain, from the dated
// series of law/parameters.h.
namespace tallyra::law {

// The first tax year a planner can offer: the first whole year withheld by the cumulative method,
// on which a year plan rests.
int FirstPlannableYear();

// The year of the last change the dated series hold; a rule's end counts, as the first day
// without it (the separate bonus taxation and the small-payment exemption end with 2027).
int YearOfLastDatedChange();

// The last tax year worth planning: two years after the law's last dated change, so that the
// years after every known change can be seen, and never before the year after `thisYear`.
int LastPlannableYear(int thisYear);

// The end of the separate taxation of the annual bonus: its last day and the first tax year
// without it; none while the rule in force has no end.
struct RuleEnd {
    CivilDate lastDay;
    int firstYearWithout;
};
std::optional<RuleEnd> SeparateBonusTaxationEnd();

} // namespace tallyra::law
