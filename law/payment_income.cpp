// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/payment_income.h"

#include "law/parameters.h"

#include <stdexcept>

namespace tallyra::law {

namespace {

constexpr std::array<std::string_view, 3> kNames = {"劳务报酬", "稿酬所得", "特许权使用费所得"};

// Authors' income counts at 70 % of what is left after the deduction, rounded to the fen.
Money AuthorsShare(PaymentKind kind, const CivilDate& day, Money amount)
{
    if (kind != PaymentKind::Authors)
        return amount;
    return amount.timesPercent(kAuthorsIncomeSharePercent.on(day)->value);
}

} // namespace

std::string_view PaymentKindName(PaymentKind kind)
{
    return kNames[IndexOf(kind)];
}

std::optional<PaymentKind> PaymentKindNamed(std::string_view name)
{
    for (PaymentKind kind : kPaymentKinds)
        if (PaymentKindName(kind) == name)
            return kind;
    return std::nullopt;
}

std::optional<SeparateTax> PrepayOnPayment(PaymentKind kind, const YearMonth& month, Money payment)
{
    const DatedValue<PaymentDeduction>* rule = kPrepaymentDeduction.inMonth(month);
    if (!rule)
        return std::nullopt;
    const CivilDate day = month.firstDay();
    const DatedValue<RateTable>* table = kind == PaymentKind::Labour
                                             ? kLabourPrepaymentTable.on(day)
                                             : kAuthorsRoyaltyPrepaymentTable.on(day);
    const Money deduction = payment <= rule->value.flatUpTo
                                ? rule->value.flat
                                : payment.timesPercent(rule->value.percentAbove);
    const Money left = ClampNonNegative(payment - deduction);
    return TaxApart(table->value, payment, deduction, AuthorsShare(kind, day, left));
}

Money AnnualIncomeAmount(PaymentKind kind, int year, Money income)
{
    const DatedValue<int>* percent = kAnnualPaymentDeductionPercent.forTaxYear(year);
    if (!percent)
        throw std::invalid_argument("comprehensive income is reconciled from 2019");
    const Money left = income - income.timesPercent(percent->value);
    return AuthorsShare(kind, {year, 12, 31}, left);
}

} // namespace tallyra::law
