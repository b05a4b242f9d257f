// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tax_formulas.h"

namespace tallyra {

// The calculation state the main window keeps between events.
struct FormState {
    float mSalary = 0.0f;
    // The employee's fund total: the single read from its box, or, once the funds were
    // recomputed within a calculation, the double the text then written into that box reads.
    FundsTotal mThreeFunds = FundsTotal::FromSingle(0.0f);
    float mSubsidy = 0.0f;
    float mTax = 0.0f;
    // 1,000 for the standard threshold, the user's own figure, or 0 when none was usable.
    // All three are exact as singles.
    float mTaxBase = 0.0f;
    // The rate and quick deduction of the last bracket selection; zero before the first.
    double mRate = 0.0;
    float mQuickDeduction = 0.0f;
};

} // namespace tallyra
