// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation core on any finite inputs the window lets through: a salary figure of zero or
// more, any subsidy, a three-funds total of zero or more (as a single, as a double, or as the
// number text of a contributions total read back), a threshold above zero. The bracket choice,
// both tax formulas and the result figures must not crash or hit undefined behaviour; no shown
// figure is negative or NaN; when all four are finite (otherwise the window refuses them) the
// after-tax salary never exceeds the pre-tax salary. The contributions of any finite base are
// finite.
//
// Input (missing bytes are zero):
//   byte 0     bit 0 the direction (after-tax when set), bits 1-2 the kind of funds total
//              (0 single, 1 double, 2 and 3 the text of the contributions total of the base),
//              bits 3-6 the ticked funds
//   byte 1     the row in force when none matches: 0 none (rate 0), 1-9 that row
//   bytes 2-21 singles: salary, subsidy, funds total, threshold, contribution base
//   bytes 22-29 the funds total as a double
#include "core/contributions.h"
#include "core/number_text.h"
#include "core/tax_brackets.h"
#include "core/tax_formulas.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

using namespace tallyra;

namespace {

struct Case {
    Direction direction;
    int fundsKind;
    std::array<bool, kFundCount> ticked;
    int fallbackRow;
    float salary;
    float subsidy;
    float funds;
    float threshold;
    float base;
    double fundsDouble;
};

Case Decode(const std::uint8_t* data, std::size_t size)
{
    unsigned char bytes[30] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    Case c{};
    c.direction = (bytes[0] & 1) ? Direction::FromAfterTax : Direction::FromPreTax;
    c.fundsKind = (bytes[0] >> 1) & 3;
    for (int i = 0; i < kFundCount; ++i)
        c.ticked[i] = (bytes[0] >> (3 + i)) & 1;
    c.fallbackRow = bytes[1] % 10;
    float singles[5];
    std::memcpy(singles, bytes + 2, sizeof singles);
    c.salary = singles[0];
    c.subsidy = singles[1];
    c.funds = singles[2];
    c.threshold = singles[3];
    c.base = singles[4];
    std::memcpy(&c.fundsDouble, bytes + 22, sizeof c.fundsDouble);
    return c;
}

[[noreturn]] void fail(const char* what, const Case& c, float tax, const Figures& f)
{
    std::fprintf(stderr,
                 "%s\ndirection %d, salary %.9g, subsidy %.9g, funds %.9g / %.17g (kind %d), "
                 "threshold %.9g, base %.9g, fallback row %d\n"
                 "tax %.9g; figures %.9g %.9g %.9g %.9g\n",
                 what, int(c.direction), c.salary, c.subsidy, c.funds, c.fundsDouble, c.fundsKind,
                 c.threshold, c.base, c.fallbackRow, tax, f.preTax, f.tax, f.afterTax, f.cash);
    std::abort();
}

void CheckContributions(const Case& c, const Contributions& result)
{
    double employee = 0.0;
    for (int i = 0; i < kFundCount; ++i) {
        const auto& fund = result.perFund[i];
        if (fund.has_value() != c.ticked[i])
            fail("a fund is computed exactly when it is ticked", c, 0, {});
        if (!fund)
            continue;
        if (!std::isfinite(fund->employee) || !std::isfinite(fund->employer))
            fail("a contribution is not finite", c, 0, {});
        if (c.base >= 0.0f && (fund->employee < 0.0 || fund->employer < 0.0))
            fail("a contribution of a base of zero or more is negative", c, 0, {});
        employee = fund->employee + employee;
    }
    if (!std::isfinite(result.employeeTotal) || !std::isfinite(result.employerTotal) ||
        !std::isfinite(result.grandTotal))
        fail("a contributions total is not finite", c, 0, {});
    if (result.employeeTotal != employee)
        fail("the employee total is not the sum of the ticked funds", c, 0, {});
}

// The funds total as the tax arithmetic sees it, or nothing for inputs the window refuses.
std::optional<FundsTotal> TotalOfFunds(const Case& c, const Contributions& contributions)
{
    switch (c.fundsKind) {
    case 0:
        if (!(c.funds >= 0.0f) || !std::isfinite(c.funds))
            return std::nullopt;
        return FundsTotal::FromSingle(c.funds);
    case 1:
        if (!(c.fundsDouble >= 0.0) || c.fundsDouble > double(FLT_MAX))
            return std::nullopt;
        return FundsTotal::FromText(c.fundsDouble);
    default: {
        // The employee total box holds its double text; the calculation reads it back.
        if (!(c.base >= 0.0f))
            return std::nullopt;
        const std::string text = DoubleToText(contributions.employeeTotal);
        return FundsTotal::FromText(std::strtod(text.c_str(), nullptr));
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Case c = Decode(data, size);
    if (!std::isfinite(c.base))
        return -1;
    const Contributions contributions = ComputeContributions(c.base, c.ticked);
    CheckContributions(c, contributions);

    // What the window's checks let through to the formulas.
    if (!std::isfinite(c.salary) || !std::isfinite(c.subsidy) || !std::isfinite(c.threshold) ||
        !(c.salary >= 0.0f) || !(c.threshold > 0.0f))
        return -1;
    const auto funds = TotalOfFunds(c, contributions);
    if (!funds)
        return -1;

    // Every income of zero or more lies in exactly the row chosen; a negative one in none.
    const float bracketIncome = c.salary - c.threshold;
    const auto row = SelectBracket(bracketIncome);
    if (row.has_value() != (bracketIncome >= 0.0f))
        fail("a row matches exactly the incomes of zero or more", c, 0, {});
    if (row) {
        const bool aboveLower =
            row->lowerBound == 0 ? bracketIncome >= 0.0f : bracketIncome > float(row->lowerBound);
        const bool belowUpper = !row->upperBound || bracketIncome <= float(*row->upperBound);
        if (!aboveLower || !belowUpper)
            fail("the income lies outside the row chosen", c, 0, {});
    }
    // A negative income keeps the row of an earlier calculation, or none.
    double rate = 0.0;
    float quickDeduction = 0.0f;
    if (row) {
        rate = row->rate;
        quickDeduction = row->quickDeduction;
    } else if (c.fallbackRow > 0) {
        rate = BracketTable()[c.fallbackRow - 1].rate;
        quickDeduction = BracketTable()[c.fallbackRow - 1].quickDeduction;
    }

    const TaxInputs inputs{c.salary, c.subsidy, *funds, c.threshold, rate, quickDeduction};
    const float tax =
        c.direction == Direction::FromPreTax ? TaxFromPreTax(inputs) : TaxFromAfterTax(inputs);
    const Figures f = ResultFigures(c.direction, c.salary, c.subsidy, *funds, tax);

    for (const float figure : {f.preTax, f.tax, f.afterTax, f.cash}) {
        if (std::isnan(figure) || figure < 0.0f)
            fail("a figure is NaN or negative", c, tax, f);
    }
    if (!f.allFinite())
        return 0; // refused with a message by the window
    if (f.tax != ZeroIfNegative(tax))
        fail("the tax shown is not the clamped tax", c, tax, f);
    if (f.afterTax > f.preTax)
        fail("the after-tax salary exceeds the pre-tax salary", c, tax, f);
    const float entered = c.direction == Direction::FromPreTax ? f.preTax : f.afterTax;
    if (entered != c.salary)
        fail("the figure entered is not shown as entered", c, tax, f);
    return 0;
}
