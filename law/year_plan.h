// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/bonus.h"
#include "law/contribution_tax.h"
#include "law/contributions.h"
#include "law/deductions.h"
#include "law/payment_income.h"
#include "law/reconciliation.h"
#include "law/separate_tax.h"
#include "law/withholding.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tallyra::law {

// One payment of labour, authors' or royalty income in the year (其他综合所得), from any payer:
// the payer prepays tax on it, and the reconciliation counts it again.
struct OtherPayment {
    int month = 1;
    PaymentKind kind = PaymentKind::Labour;
    Money amount;
    std::string payer; // optional, for the reader
    bool operator==(const OtherPayment&) const = default;
};

// One employee's year at one employer, from 2019 on, as a person plans it.
struct YearPlanInput {
    int year = 0;
    int firstMonthEmployed = 1;
    std::array<Money, 12> wages{}; // January first; months before the first one are ignored
    std::array<Money, 12> exemptIncome{};
    ContributionSetup contributions;
    SpecialDeductionItems special;
    OtherDeductionItems other; // a month
    bool wholeYearDeduction = false;
    Money bonus; // the annual one-time bonus
    int bonusMonth = 12;
    BonusTreatment bonusTreatment =
        BonusTreatment::Separate; // combined where separate is not allowed
    // At the reconciliation the special additional deductions count for every month of the year
    // in which their conditions held, employed or not: true takes the items as held all year,
    // false only from the first month employed (items that began then, or that an earlier
    // employer of the year already deducted).
    bool reconcileItemsForWholeYear = true;
    // The year's other comprehensive income, from other payers (an earlier employer, labour
    // remuneration as its 收入额), with the contributions and tax withheld on it: counted only at
    // the reconciliation.
    Money otherIncome;
    Money otherSpecialDeduction;
    Money otherWithheld;
    std::vector<OtherPayment> payments; // labour, authors' and royalty income, payment by payment
    // Severance pay (解除劳动关系一次性补偿收入) and the local average annual wage of the previous
    // year: taxed on its own, outside the reconciliation.
    Money severance;
    Money localAverageWage;
    bool operator==(const YearPlanInput&) const = default;
};

struct MonthPlan {
    int month = 0;
    bool employed = false;
    Money wage;
    Money bonus;
    bool bonusCombined = false; // the bonus went into this month's cumulative income
    Contributions contributions;
    ContributionTax contributionTax; // how the contributions count for the tax
    SpecialDeductionBreakdown special;
    Money certificate;        // 3,600 in the month the certificate is deducted
    Money otherDeduction;     // after the caps; the annuity apart (contributionTax)
    WithholdingStep step;     // the cumulative withholding, step by step
    Money bonusTax;           // the separate bonus's own tax
    bool rateStepsUp = false; // the rate is higher than in the month before
    Money takeHome;     // wage + bonus − employee contributions − tax withheld − bonus tax
    Money wageTakeHome; // wage − employee contributions − tax withheld: the bonus apart
    // (every contribution taken from the pay, deducted for the tax or not)
    Money employerCost; // wage + bonus + employer contributions
};

struct YearTotals {
    Money wages;
    Money bonus;
    Money employeeContributions;
    Money employerContributions;
    Money withheld;
    Money bonusTax;
    Money takeHome;
    Money employerCost;
};

struct YearPlan {
    std::array<MonthPlan, 12> months{};
    YearTotals totals;
    BonusTreatment bonusTreatment = BonusTreatment::Combined; // as actually applied
    std::optional<BonusComparison> bonusComparison;           // when there is a bonus
    ReconciliationInput reconciliationInput; // the year as the reconciliation sees it
    ReconciliationResult reconciliation;
    std::vector<SeparateTax> prepayments; // each payment's prepayment, as `payments`
    // What each kind of payment adds to the balance (above zero to pay, below to the refund).
    std::array<Money, kPaymentKinds.size()> balanceAddedBy{};
    std::optional<SeparateTax> severance; // when there is severance pay
};

// Throws std::invalid_argument for a year before 2019, a first month, bonus month or payment's
// month outside 1-12, a negative amount or an invalid deduction item; MoneyOverflow past 64
// bits.
YearPlan PlanYear(const YearPlanInput& input);

// The smallest wage in fen for `month` whose take-home pay (wage − employee contributions −
// tax withheld) reaches `target`, the earlier months as planned; none if no wage reaches it.
// A bonus taxed together with the wage in that month raises the month's withholding, which the
// wage bears; a bonus taxed on its own stays apart with its own tax.
std::optional<Money> WageForTakeHome(const YearPlanInput& input, int month, Money target);

// The wage of every month employed that takes home `target` in that month, each month found
// with the wages found for the months before it (cumulative withholding makes them rise through
// the year); none for a month not employed or not reachable.
std::array<std::optional<Money>, 12> WagesForTakeHome(const YearPlanInput& input, Money target);

} // namespace tallyra::law
