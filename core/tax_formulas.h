// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>

namespace tallyra {

// The employee's three-funds total as the tax arithmetic sees it. Read from its box it is a
// single; right after the funds were recomputed the calculation takes the box's text instead,
// and a number held as text enters the arithmetic at double precision. The alternative held
// decides the precision of every difference it takes part in.
class FundsTotal {
public:
    static FundsTotal FromSingle(float value) { return FundsTotal(value); }
    static FundsTotal FromText(double valueOfText) { return FundsTotal(valueOfText); }

    // Calls f with the float or the double, so that `a - total` takes the right precision.
    template <class F> auto visit(F&& f) const { return std::visit(static_cast<F&&>(f), value_); }

private:
    explicit FundsTotal(float v)
        : value_(v)
    {
    }
    explicit FundsTotal(double v)
        : value_(v)
    {
    }
    std::variant<float, double> value_;
};

enum class Direction {
    FromPreTax,   // the salary figure is the pre-tax salary
    FromAfterTax, // the salary figure is the after-tax salary to reach
};

// The common operands of both formulas. The threshold is 1,000, a single from the threshold
// box, or 0; the whole numbers are exact as singles, so one float serves all three.
struct TaxInputs {
    float salary;
    float subsidy;
    FundsTotal threeFunds;
    float threshold;
    double rate;
    float quickDeduction;
};

// (S + B - F - J) * r - q, in the order and precisions of the tax office's formula.
float TaxFromPreTax(const TaxInputs& in);

// ((A + B - F - J) * r - q) / (1 - r): the exact inverse of TaxFromPreTax within one bracket.
float TaxFromAfterTax(const TaxInputs& in);

float ZeroIfNegative(float x);

struct Figures {
    float preTax;
    float tax;
    float afterTax;
    float cash;

    bool allFinite() const;
};

// The four shown figures, each clamped at zero. A tax below zero counts as zero before the
// figures are derived, so the after-tax salary never exceeds the pre-tax salary.
Figures ResultFigures(Direction direction, float salary, float subsidy,
                      const FundsTotal& threeFunds, float tax);

} // namespace tallyra
