// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/contributions.h"

#include <QString>

#include <vector>

// A month's contributions item by item, each as its base × its rate, for the employee and for
// the employer: the payslip, the month's explanation and the year table's item columns.
namespace tallyra::year {

struct ContributionItem {
    QString name; // "养老保险"
    law::Money base;
    int basisPoints = 0;
    law::Money amount;
    // "养老保险（25,000.00 × 8%）"
    QString working() const;
};

// Pension, medical, unemployment and the housing fund always; the supplementary fund and the
// annuity where they are paid.
std::vector<ContributionItem> EmployeeItems(const law::ContributionSetup& setup,
                                            const law::Contributions& month);
// Likewise with the work-injury insurance, which only the employer pays.
std::vector<ContributionItem> EmployerItems(const law::ContributionSetup& setup,
                                            const law::Contributions& month);

} // namespace tallyra::year
