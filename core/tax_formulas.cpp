// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tax_formulas.h"

#include "core/single.h"

#include <cmath>

namespace tallyra {
namespace {

// Steps shared by both formulas: ((S + B) - F - J) * r - q, with the precision of each
// difference set by its operands (single with single stays single, anything with a double
// becomes double).
double RawTaxTerm(const TaxInputs& in)
{
    const float a = in.salary + in.subsidy;
    return in.threeFunds.visit([&](auto funds) {
        const auto b = a - funds;
        const auto c = b - in.threshold;
        const double d = static_cast<double>(c) * in.rate;
        return d - static_cast<double>(in.quickDeduction);
    });
}

template <class T> float ClampedSingle(T value)
{
    return ZeroIfNegative(NarrowToSingle(static_cast<double>(value)));
}

} // namespace

float TaxFromPreTax(const TaxInputs& in)
{
    return NarrowToSingle(RawTaxTerm(in));
}

float TaxFromAfterTax(const TaxInputs& in)
{
    const double e = RawTaxTerm(in);
    const double g = 1.0 - in.rate;
    return NarrowToSingle(e / g);
}

float ZeroIfNegative(float x)
{
    return x >= 0.0f ? x : 0.0f; // also 0 for NaN, which compares false
}

bool Figures::allFinite() const
{
    return std::isfinite(preTax) && std::isfinite(tax) && std::isfinite(afterTax) &&
           std::isfinite(cash);
}

Figures ResultFigures(Direction direction, float salary, float subsidy,
                      const FundsTotal& threeFunds, float tax)
{
    const float t = ZeroIfNegative(tax);
    Figures figures{};
    figures.tax = t;
    if (direction == Direction::FromPreTax) {
        const float afterTax = salary - t;
        figures.preTax = ClampedSingle(salary);
        figures.afterTax = ClampedSingle(afterTax);
        figures.cash = threeFunds.visit(
            [&](auto funds) { return ClampedSingle((afterTax - funds) + subsidy); });
    } else {
        figures.preTax = ClampedSingle(salary + t);
        figures.afterTax = ClampedSingle(salary);
        figures.cash =
            threeFunds.visit([&](auto funds) { return ClampedSingle((salary - funds) + subsidy); });
    }
    return figures;
}

} // namespace tallyra
