// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/calendar.h"
#include "law/dated_series.h"
#include "law/money.h"
#include "law/parameters.h"
#include "law/rate_table.h"

#include <optional>
#include <span>
#include <string>

namespace tallyra::law {

// One law on wages, in force from `effectiveFrom` until the day before the next one: a law
// begins wherever the monthly deduction or the withholding method takes a new value. Made from
// the dated series of law/parameters.h, which hold every figure.
struct WageLaw {
    CivilDate effectiveFrom;
    std::string name; // "2008年3月起 减除2000元", "2019年起 累计预扣法"
    WageMethod method;
    Money monthlyDeduction; // 减除费用 a month
    RateTable monthlyTable; // month by month; under the cumulative law the table a bonus ÷ 12 uses
    RateTable annualTable;  // cumulative only
    LegalSource source;     // the document that made the change
};

// Every law since 1994, oldest first.
std::span<const WageLaw> WageLaws();
// The law in force on a day, or none before 1994-01-01.
const WageLaw* LawOn(const CivilDate& day);
const WageLaw* LawFor(const YearMonth& period);
// The last day of a law, or none for the law in force today.
std::optional<CivilDate> LastDayOf(const WageLaw& law);

// The separate taxation of the annual one-time bonus (全年一次性奖金单独计税): the entry of
// kSeparateBonusTaxation that allows it for a bonus paid on a day, or none.
const DatedValue<bool>* SeparateBonusRuleOn(const CivilDate& day);

// The entry of kSmallPaymentExemption that lets a small reconciliation payment of a tax year
// go, or none.
const DatedValue<bool>* SmallPaymentExemptionFor(int taxYear);

// The legal amounts of the special additional deductions (专项附加扣除) of a tax year, a month
// unless named otherwise, gathered from their series.
struct SpecialDeductionAmounts {
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
};
// The amounts of a tax year from 2019 on, or none before the deductions existed.
std::optional<SpecialDeductionAmounts> SpecialDeductionAmountsFor(int taxYear);

// The entry from which wages are withheld by the cumulative method (累计预扣法), and its
// citation.
const DatedValue<WageMethod>& CumulativeMethod();
std::string CumulativeMethodSource();

} // namespace tallyra::law
