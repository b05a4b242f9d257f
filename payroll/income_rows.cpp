// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/income_rows.h"

#include "law/bonus.h"
#include "law/laws.h"
#include "law/parameters.h"
#include "law/payment_income.h"
#include "law/severance.h"
#include "payroll/csv_reader.h"
#include "payroll/invisible_characters.h"
#include "payroll/payroll_columns.h"

#include <array>
#include <stdexcept>

namespace tallyra::payroll {

namespace {

struct KindName {
    IncomeKind kind;
    std::string_view name;
};

// The kinds as a file names them; the payments' names are the law's.
std::array<KindName, 6> KindNames()
{
    using law::PaymentKind;
    return {{
        {IncomeKind::Wage, "工资薪金"},
        {IncomeKind::Bonus, "全年一次性奖金"},
        {IncomeKind::Labour, law::PaymentKindName(PaymentKind::Labour)},
        {IncomeKind::Authors, law::PaymentKindName(PaymentKind::Authors)},
        {IncomeKind::Royalty, law::PaymentKindName(PaymentKind::Royalty)},
        {IncomeKind::Severance, "解除劳动关系补偿金"},
    }};
}

constexpr std::string_view kSeparately = "单独计税";
constexpr std::string_view kCombined = "并入综合所得";

// Why a bonus cannot be taxed on its own in `period`: a month before the rule, or after its last
// day, named with the notice that ended it.
std::string SeparateBonusEnd(law::YearMonth period)
{
    const law::DatedValue<bool>* ended = law::kSeparateBonusTaxation.inMonth(period);
    if (!ended)
        return std::to_string(law::kSeparateBonusTaxation.first().from.year) +
               " 年前没有全年一次性奖金单独计税";
    return "全年一次性奖金单独计税执行至 " + law::ToString(law::DayBefore(ended->from)) + "（" +
           ended->source.document + "）";
}

law::PaymentKind PaymentKindOf(IncomeKind kind)
{
    switch (kind) {
    case IncomeKind::Labour:
        return law::PaymentKind::Labour;
    case IncomeKind::Authors:
        return law::PaymentKind::Authors;
    case IncomeKind::Royalty:
        return law::PaymentKind::Royalty;
    default:
        throw std::invalid_argument("not a payment of labour, authors' or royalty income");
    }
}

} // namespace

std::string_view IncomeKindName(IncomeKind kind)
{
    for (const KindName& known : KindNames())
        if (known.kind == kind)
            return known.name;
    return {};
}

std::variant<IncomeKind, CellProblem> ReadIncomeKind(std::string_view raw)
{
    const std::string_view text = TrimSpaces(raw);
    if (text.empty())
        return IncomeKind::Wage;
    std::string list;
    for (const KindName& known : KindNames()) {
        if (known.name == text)
            return known.kind;
        list += (list.empty() ? "" : "、") + std::string(known.name);
    }
    return CellProblem{kIncomeKindColumn,
                       Quoted(raw) + "不是本程序认识的所得项目（应为 " + list + "；空即工资薪金）"};
}

std::variant<bool, CellProblem> ReadBonusSeparately(std::string_view raw, law::YearMonth period)
{
    const std::string_view text = TrimSpaces(raw);
    const bool allowed = law::SeparateBonusRuleOn(period.firstDay()) != nullptr;
    if (text.empty())
        return allowed;
    if (text == kCombined)
        return false;
    if (text != kSeparately)
        return CellProblem{kBonusMethodColumn, Quoted(raw) + "应为“" + std::string(kSeparately) +
                                                   "”或“" + std::string(kCombined) + "”"};
    if (!allowed)
        return CellProblem{kBonusMethodColumn, law::ToString(period) +
                                                   " 的全年一次性奖金不能单独计税：" +
                                                   SeparateBonusEnd(period)};
    return true;
}

CellProblem SecondSeparateBonus(std::string_view column, std::string_view employee, int year,
                                long firstLine)
{
    const auto& rule = *law::kSeparateBonusesPerYear.forTaxYear(year);
    return {std::string(column), "工号" + Quoted(employee) + "在 " + std::to_string(year) +
                                     " 年已有第 " + std::to_string(firstLine) +
                                     " 行的全年一次性奖金单独计税：每人每年只能单独计税 " +
                                     std::to_string(rule.value) + " 次（" + rule.source.document +
                                     " " + rule.source.article + "）"};
}

law::SeparateTax TaxOnItsOwn(IncomeKind kind, law::YearMonth period, law::Money income,
                             law::Money averageWage)
{
    std::optional<law::SeparateTax> tax;
    if (kind == IncomeKind::Bonus)
        tax = law::BonusTaxedApart(period.year, income);
    else if (kind == IncomeKind::Severance)
        tax = law::TaxSeverance(period.year, income, averageWage);
    else
        tax = law::PrepayOnPayment(PaymentKindOf(kind), period, income);
    if (!tax)
        throw std::invalid_argument("no rule taxes this row on its own in its month");
    return *tax;
}

} // namespace tallyra::payroll
