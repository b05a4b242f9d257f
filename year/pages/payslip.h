// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <QString>

// One month's payslip: what is paid, each contribution taken from it, the deductions counted
// for the tax, the tax withheld and what is paid out.
namespace tallyra::year {

struct Payslip {
    QString title; // "2026年3月工资条"
    QString html;  // for the screen and for paper
    QString text;  // for the clipboard: a line per item, its name and amount apart by a tab
};

// `month` 1-12, employed in that month.
Payslip MakePayslip(const law::YearPlanInput& input, const law::YearPlan& plan, int month);

} // namespace tallyra::year
