// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/calendar.h"
#include "law/separate_tax.h"

#include <array>
#include <optional>
#include <string_view>

namespace tallyra::law {

// The comprehensive income other than wages (个人所得税法 第二条; the kinds as 实施条例 第六条
// defines them): paid per payment, tax prepaid on each, counted again at the reconciliation.
enum class PaymentKind { Labour, Authors, Royalty }; // 劳务报酬、稿酬、特许权使用费所得
inline constexpr std::array<PaymentKind, 3> kPaymentKinds = {
    PaymentKind::Labour, PaymentKind::Authors, PaymentKind::Royalty};
constexpr std::size_t IndexOf(PaymentKind kind)
{
    return static_cast<std::size_t>(kind);
}

// "劳务报酬", "稿酬所得", "特许权使用费所得", as payroll files and the planner name them.
std::string_view PaymentKindName(PaymentKind kind);
std::optional<PaymentKind> PaymentKindNamed(std::string_view name);

// The tax prepaid on one payment (国家税务总局公告2018年第61号 第八条): 800 deducted from a
// payment of at most 4,000, 20 % (rounded to the fen) from a larger one; what is left, never
// below zero and for authors' income at 70 % (rounded to the fen), is taxable on table 二 for
// labour income, at 20 % for the others. None for a month before the rule.
std::optional<SeparateTax> PrepayOnPayment(PaymentKind kind, const YearMonth& month, Money payment);

// What a year's income of one kind counts as in the annual comprehensive income (收入额): the
// income less 20 % of it (rounded to the fen), authors' income at 70 % of that (rounded to the
// fen) — 个人所得税法 第六条第二款. Throws std::invalid_argument before 2019.
Money AnnualIncomeAmount(PaymentKind kind, int year, Money income);

} // namespace tallyra::law
