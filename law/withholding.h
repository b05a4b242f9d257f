// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/calendar.h"
#include "law/money.h"
#include "law/parameters.h"
#include "law/rate_table.h"

namespace tallyra::law {

// What one month adds (本期), as a payroll line states it.
struct MonthFigures {
    Money income;            // 本期收入
    Money exemptIncome;      // 本期免税收入
    Money specialDeduction;  // 专项扣除: the employee's social insurance and housing fund
    Money specialAdditional; // 专项附加扣除
    Money otherDeduction;    // 依法确定的其他扣除
};

// The year's running totals at this employer (累计).
struct CumulativeFigures {
    Money income;
    Money exemptIncome;
    Money basicDeduction; // 累计减除费用
    Money specialDeduction;
    Money specialAdditional;
    Money otherDeduction;
};

// Every figure of one month's withholding, in the order the rule reaches them, so that a
// month can be explained step by step.
struct WithholdingStep {
    YearMonth period;
    int monthsCounted = 0; // months from the first month employed through this one
    MonthFigures month;
    CumulativeFigures cumulative;
    Money taxableIncome;   // 累计预扣预缴应纳税所得额, never below zero
    BracketChoice bracket; // of the annual table; none at zero
    Money cumulativeTax;   // 累计应纳税额
    Money alreadyWithheld;
    Money withheld;    // 本期应预扣预缴税额, never below zero
    Money notRefunded; // how far the month fell below zero (kept until the reconciliation)
    Money afterTax;    // 本期收入 − 专项扣除 − withheld
};

// The cumulative withholding of one employee's tax year at one employer (国家税务总局公告
// 2018年第61号 第六条). Months are added in order; the object keeps only the running totals.
class CumulativeWithholding {
public:
    // firstMonthEmployed: the first month employed this year at this employer (1-12).
    // wholeYearDeduction: 60,000 is deducted from the first month (公告2020年第19号); refused
    // (std::invalid_argument) for a year before it applied.
    CumulativeWithholding(int year, int firstMonthEmployed, bool wholeYearDeduction);

    int year() const { return year_; }
    int firstMonthEmployed() const { return firstMonth_; }
    int lastMonth() const { return lastMonth_; } // 0 before the first withholding
    bool wholeYearDeduction() const { return wholeYear_; }
    const CumulativeFigures& totals() const { return totals_; }
    Money withheldSoFar() const { return withheld_; }

    // Withholds for `month`, which must come after the last one and not before the first month
    // employed (std::invalid_argument otherwise). Throws MoneyOverflow past 64 bits.
    WithholdingStep withhold(int month, const MonthFigures& figures);
    // The same figures without adding the month.
    WithholdingStep preview(int month, const MonthFigures& figures) const;
    // Withholds again in the last month withheld, on more income of that month (a bonus paid
    // with the month's wage and taxed with it): the month's basic deduction is not counted
    // twice. std::invalid_argument before the first withholding.
    WithholdingStep withholdAgain(const MonthFigures& figures);

private:
    WithholdingStep step(int month, const MonthFigures& figures) const;
    void keep(const WithholdingStep& step);

    int year_;
    int firstMonth_;
    bool wholeYear_;
    int lastMonth_ = 0;
    CumulativeFigures totals_;
    Money withheld_;
};

// The whole-year deduction (全年减除6万) in force in `year`, or none for a year before it
// applied (2019 and 2020).
const DatedValue<WholeYearDeduction>* WholeYearDeductionFor(int year);

// The cumulative basic deduction of a year through `month`: the monthly deduction of each month
// from the first month employed, or the whole-year deduction where the employee qualifies.
Money CumulativeBasicDeduction(int year, int firstMonthEmployed, int month,
                               bool wholeYearDeduction);

} // namespace tallyra::law
