// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/pages/text_page.h"

namespace tallyra::year {

// The reconciliation page: the year's income and deductions on the annual table, what was
// withheld, and the refund or payment.
class ReconciliationPage : public TextPage {
    Q_OBJECT

public:
    static QString caption() { return QStringLiteral("年度汇算"); }
    ReconciliationPage();

protected:
    QString describe(const law::YearPlanInput& input, const law::YearPlan& plan) const override;
};

} // namespace tallyra::year
