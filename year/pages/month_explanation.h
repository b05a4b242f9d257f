// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/rate_table.h"
#include "law/year_plan.h"

#include <QString>

namespace tallyra::year {

// How a month's tax was reached, step by step in words and figures, as rich text: the
// cumulative income, each deduction, the row of the table, the rate and quick deduction, minus
// what was already withheld; a separate bonus's own tax; the rate stepping up.
QString ExplainMonth(const law::YearPlanInput& input, const law::YearPlan& plan, int month);

// A row of a rate table by its number and bounds: "第2级（超过 A 至 B 元）", "第7级（超过 A 元）".
QString RowText(law::RateTable table, int row);

} // namespace tallyra::year
