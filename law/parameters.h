// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/dated_series.h"
#include "law/money.h"
#include "law/rate_table.h"

#include <array>

// Every legal figure and date the engine, the planner and the payroll command use, each once, as
// a dated series with its sources (law/dated_series.h). Ask a series for the value of a day,
// month or tax year; the value found carries the day it applies from and its source:
//
//     const auto* deduction = law::kMonthlyBasicDeduction.inMonth({2026, 3});
//     deduction->value            // Money: 5,000.00
//     deduction->from.year        // 2019
//     law::CitationOf(deduction->source)
//
// The series are defined in law/parameters_*.cpp, where the compiler checks their dating.
namespace tallyra::law {

// How a wage is taxed: each month alone on the monthly table, or month by month on the year's
// cumulative income and the annual table (累计预扣法).
enum class WageMethod { MonthByMonth, Cumulative };

// ---- Wages (工资、薪金所得), law/parameters_wages.cpp ----

// 减除费用 a month: 800 from 1994 … 5,000 from 2018-10; from 2019 the monthly step of the
// cumulative deduction (5,000 × months employed).
extern const LegalSeries<Money> kMonthlyBasicDeduction;
// Month by month until 2018, cumulative from 2019.
extern const LegalSeries<WageMethod> kWageWithholdingMethod;
// The table of a month's taxable wage, while wages were taxed month by month.
extern const LegalSeries<RateTable> kMonthlyRateTable;
// The annual table of comprehensive income, from 2019; withholding uses it as 预扣率表一.
extern const LegalSeries<RateTable> kAnnualRateTable;
// The table an annual one-time bonus ÷ 12 is looked up in when it is taxed on its own.
extern const LegalSeries<RateTable> kBonusRateTable;
// 减除费用 of a year's comprehensive income at the reconciliation: 60,000.
extern const LegalSeries<Money> kAnnualBasicDeduction;

// 全年减除6万: an employee whose every month of the previous year was withheld at the same
// employer, on wages of at most `priorYearWageLimit`, has `deduction` deducted from January.
struct WholeYearDeduction {
    Money deduction;
    Money priorYearWageLimit;
};
extern const LegalSeries<WholeYearDeduction> kWholeYearWithholdingDeduction;

// ---- The annual bonus and the reconciliation, law/parameters_reconciliation.cpp ----

// Whether an annual one-time bonus may be taxed on its own (全年一次性奖金单独计税); false from
// the day the last extension ends.
extern const LegalSeries<bool> kSeparateBonusTaxation;
// How many bonuses of one person may be taxed on their own in a tax year (once).
extern const LegalSeries<int> kSeparateBonusesPerYear;
// The months a bonus taxed on its own is divided by to choose its row of the monthly table.
extern const LegalSeries<int> kBonusDivisorMonths;

// Whether a small payment at the reconciliation is let go (免于办理汇算), and its limits: a
// payment of at most `kExemptPaymentLimit`, or any payment on an annual comprehensive income of
// at most `kExemptIncomeLimit`.
extern const LegalSeries<bool> kSmallPaymentExemption;
extern const LegalSeries<Money> kExemptPaymentLimit;
extern const LegalSeries<Money> kExemptIncomeLimit;

// When the reconciliation is made: in the year after the tax year, from one day to another.
struct FilingWindow {
    int fromMonth;
    int fromDay;
    int untilMonth;
    int untilDay;
};
extern const LegalSeries<FilingWindow> kReconciliationWindow;

// ---- Labour, authors' and royalty income and severance pay, law/parameters_other_income.cpp

// What is deducted from one payment (每次收入) of labour, authors' or royalty income when tax is
// prepaid on it: `flat` from a payment of at most `flatUpTo`, `percentAbove` % of a larger one.
struct PaymentDeduction {
    Money flatUpTo;
    Money flat;
    int percentAbove;
};
extern const LegalSeries<PaymentDeduction> kPrepaymentDeduction;
// The prepayment tables: labour income on 预扣率表二, authors' and royalty income at one rate.
extern const LegalSeries<RateTable> kLabourPrepaymentTable;
extern const LegalSeries<RateTable> kAuthorsRoyaltyPrepaymentTable;
// At the annual reconciliation labour, authors' and royalty income counts after this percentage
// of it is deducted (20: the 收入额 is 80 % of the income).
extern const LegalSeries<int> kAnnualPaymentDeductionPercent;
// Authors' income counts at this percentage of its 收入额, at the prepayment and at the
// reconciliation alike (70).
extern const LegalSeries<int> kAuthorsIncomeSharePercent;
// Severance pay (解除劳动关系一次性补偿收入) is tax free up to this many times the local average
// annual wage of the previous year; the rest is taxed on its own on the annual table.
extern const LegalSeries<int> kSeveranceExemptMultiple;

// ---- Deductions, law/parameters_deductions.cpp ----

// Whether the special additional deductions (专项附加扣除) exist at all.
extern const LegalSeries<bool> kSpecialAdditionalDeductions;
// Their amounts, a month unless named otherwise.
extern const LegalSeries<Money> kChildEducationDeduction;        // each child
extern const LegalSeries<Money> kInfantCareDeduction;            // each child under the age limit
extern const LegalSeries<int> kInfantCareAgeLimit;               // years: under this age
extern const LegalSeries<Money> kContinuingDegreeDeduction;      // 学历（学位）继续教育
extern const LegalSeries<Money> kVocationalCertificateDeduction; // once, in the year obtained
extern const LegalSeries<Money> kHousingLoanInterestDeduction;   // 住房贷款利息
// 住房租金 by city: the largest cities (municipalities, provincial capitals …), other cities
// whose urban districts have more registered inhabitants than `populationBound`, the rest.
struct RentDeduction {
    std::array<Money, 3> byCityTier;
    long populationBound;
};
extern const LegalSeries<RentDeduction> kHousingRentDeduction;
extern const LegalSeries<Money> kElderlySupportOnlyChild; // 赡养老人, an only child
extern const LegalSeries<Money> kElderlySupportShareCap;  // the most one sibling's share may be
extern const LegalSeries<Money> kSeriousIllnessFloor; // 大病医疗: only what is paid above this
extern const LegalSeries<Money> kSeriousIllnessCap;   // 大病医疗: at most this a year

// The shares of a deduction parents or spouses may split (子女教育, 婴幼儿照护, 住房贷款利息), in
// percent of its amount: one of them takes it whole, or each takes the split share.
struct DeductionShares {
    int whole;
    int split;
};
extern const LegalSeries<DeductionShares> kDeductionShares;

// Other deductions with legal caps (依法确定的其他扣除); a monthly cap of zero means none.
struct DeductionCap {
    Money monthly;
    Money annual;
};
extern const LegalSeries<DeductionCap> kCommercialHealthInsuranceCap;
extern const LegalSeries<DeductionCap> kPersonalPensionCap;

// The housing fund's contribution rate, in basis points: at least the floor; deductible from
// wages up to the cap.
extern const LegalSeries<int> kHousingFundRateFloor;
extern const LegalSeries<int> kHousingFundRateCap;

// ---- The housing fund and the enterprise annuity for the tax, law/parameters_contributions.cpp

// Each side's housing fund (ordinary and supplementary together) is tax free up to this rate of
// the base, the base counted at most `kHousingFundTaxFreeBaseMultiple` times the city's average
// monthly wage of the previous year; the employee's part above it is not deducted, the
// employer's part above it is wage income.
extern const LegalSeries<int> kHousingFundTaxFreeRate;
extern const LegalSeries<int> kHousingFundTaxFreeBaseMultiple;
// The employee's annuity contribution is deducted (其他扣除) up to this rate of its base, the base
// counted at most `kAnnuityBaseMultiple` times the city's average; the employer's contribution
// is not income when paid.
extern const LegalSeries<int> kAnnuityDeductibleRate;
extern const LegalSeries<int> kAnnuityBaseMultiple;
extern const LegalSeries<bool> kEmployerAnnuityNotIncome;

} // namespace tallyra::law
