// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/calendar.h"
#include "law/money.h"
#include "law/rate_table.h"

#include <optional>
#include <span>

namespace tallyra::law {

// How a wage is taxed under a law: each month alone on the monthly table, or month by month on
// the year's cumulative income and the annual table (累计预扣法).
enum class WageMethod { MonthByMonth, Cumulative };

// One law on wages, in force from `effectiveFrom` until the day before the next one.
struct WageLaw {
    CivilDate effectiveFrom;
    const char* name;
    WageMethod method;
    Money monthlyDeduction; // 减除费用 a month
    RateTable monthlyTable; // month by month; under the cumulative law the table a bonus ÷ 12 uses
    RateTable annualTable;  // cumulative only
    const char* source;
};

// Every law since 1994, oldest first.
std::span<const WageLaw> WageLaws();
// The law in force on a day, or none before 1994-01-01.
const WageLaw* LawOn(const CivilDate& day);
const WageLaw* LawFor(const YearMonth& period);
// The last day of a law, or none for the law in force today.
std::optional<CivilDate> LastDayOf(const WageLaw& law);

// A dated rule that holds over a range of days (both ends inclusive).
struct DatedRule {
    CivilDate from;
    CivilDate until;
    const char* source;
};

// The separate taxation of the annual one-time bonus (全年一次性奖金单独计税): whether it
// applies to a bonus paid on a day, and the entry that says so.
const DatedRule* SeparateBonusRuleOn(const CivilDate& day);
std::span<const DatedRule> SeparateBonusRules();

// The annual reconciliation's exemption of a small payment (at most 400 yuan, or an annual
// comprehensive income of at most 120,000), by tax year.
const DatedRule* SmallPaymentExemptionFor(int taxYear);
inline constexpr Money kExemptPaymentLimit = Money::Fen(400'00);
inline constexpr Money kExemptIncomeLimit = Money::Fen(120'000'00);

// The legal amounts of the special additional deductions (专项附加扣除) of a tax year, a month
// unless named otherwise.
struct SpecialDeductionAmounts {
    int fromYear;
    Money childEducation;   // each child
    Money infantCare;       // each child under three; zero before 2022
    Money continuingDegree; // 学历（学位）继续教育
    Money certificateYear; // 职业资格继续教育, once in the year the certificate is obtained
    Money housingLoan;     // 住房贷款利息
    Money rent[3];         // 住房租金 by city tier 1, 2, 3
    Money elderlyOnlyChild; // 赡养老人, an only child
    Money elderlyShareCap;  // 赡养老人, the most one sibling's share may be
    Money illnessFloor;     // 大病医疗: only what the patient paid above this in the year
    Money illnessCap;       // 大病医疗: at most this a year
    const char* source;
};
// The amounts of a tax year from 2019 on, or none before 2019.
const SpecialDeductionAmounts* SpecialDeductionAmountsFor(int taxYear);

// Other deductions with legal caps (依法确定的其他扣除).
struct OtherDeductionCap {
    CivilDate from;
    Money monthlyCap; // zero: no monthly cap
    Money annualCap;
    const char* source;
};
// 商业健康保险: 200 a month, 2,400 a year, from 2017-07-01.
const OtherDeductionCap& CommercialHealthInsuranceCap();
// 个人养老金: 12,000 a year, from 2022-01-01.
const OtherDeductionCap& PersonalPensionCap();

// 全年减除6万 (a whole year's basic deduction from the first month) for a qualifying employee.
inline constexpr Money kWholeYearDeduction = Money::Fen(60'000'00);
const char* WholeYearDeductionSource();
const char* CumulativeMethodSource();

} // namespace tallyra::law
