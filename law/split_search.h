// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The search behind FindBestSplit (package_split.h): not for use elsewhere.

#include "law/year_plan.h"

#include <map>

namespace tallyra::law::split {

// The year's tax after the reconciliation with the bonus taxed on its own, as a function of the
// monthly wage of a package split: the reconciliation of the year with every month employed at
// `wage` and the bonus the rest of the package.
class SeparateTax {
public:
    SeparateTax(const YearPlanInput& input, Money package);

    int year() const { return fixed_.year; }
    int months() const { return months_; }
    Money package() const { return package_; }
    Money maxWage() const { return Money::Fen(package_.fen() / months_); }
    Money bonus(Money wage) const { return package_ - wage.times(months_); }
    const ContributionSetup& contributions() const { return setup_; }

    ReconciliationResult reconcile(Money wage) const;
    Money tax(Money wage) const { return reconcile(wage).totalTax; }
    int annualRate(Money wage) const { return reconcile(wage).bracket.ratePercent; }
    // The bonus's row in the bonus table, -1 for no bonus.
    int bonusRow(Money wage) const;
    int bonusRate(Money wage) const;

private:
    // What the months employed add to the reconciliation at a wage.
    struct MonthShare {
        Money income;
        Money specialDeduction;
        Money otherDeduction;
    };
    MonthShare share(Money wage) const;

    int months_;
    int firstMonth_;
    Money package_;
    ContributionSetup setup_;
    ReconciliationInput fixed_; // the year with no wage and no bonus; the months' share taken out
};

// The best wage below the largest (which leaves no bonus) for each row the bonus falls in,
// lowest tax first, the larger wage on equal tax.
struct Found {
    Money wage;
    Money tax;
};
std::map<int, Found> BestWagePerBonusRow(const SeparateTax& tax);

} // namespace tallyra::law::split
