// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <QString>

// The year's bonus comparison and annual reconciliation in words, as rich text.
namespace tallyra::year {

// Where a text is read: on the screen beside the form, or on paper, where pointing at a control
// means nothing.
enum class Medium { Screen, Paper };

// Separate against combined, which is better and by how much, the cliff a bonus lies in and
// where it ends; after the separate treatment's last day, that only the combined one remains,
// and why.
QString DescribeBonus(const law::YearPlanInput& input, const law::YearPlan& plan,
                      Medium medium = Medium::Screen);

// The annual reconciliation: the year's income and every deduction, the tax on the annual
// table, what was withheld, and the refund or the payment (and whether a small one is let go).
QString DescribeReconciliation(const law::YearPlanInput& input, const law::YearPlan& plan);

// One line for the status bar: "应退税 1,234.00 元", "应补税 500.00 元", "无需退补".
QString ReconciliationVerdict(const law::ReconciliationResult& result);

} // namespace tallyra::year
