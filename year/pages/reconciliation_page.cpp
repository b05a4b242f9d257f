// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/reconciliation_page.h"

#include "year/pages/plan_texts.h"

namespace tallyra::year {

ReconciliationPage::ReconciliationPage()
    : TextPage(QStringLiteral("reconciliationView"), QStringLiteral("年度汇算"))
{
}

QString ReconciliationPage::describe(const law::YearPlanInput& input,
                                     const law::YearPlan& plan) const
{
    return DescribeReconciliation(input, plan);
}

} // namespace tallyra::year
