// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>

namespace tallyra {

// The four funds, in the fixed order of their tick boxes: housing fund, pension, medical and
// unemployment insurance.
constexpr int kFundCount = 4;

struct FundRates {
    double employee;
    double employer;
};

// Employee 7 %, 8 %, 2 %, 1 %; employer 7 %, 22.5 %, 12 %, 2 %.
const std::array<FundRates, kFundCount>& FundRateTable();

struct Contribution {
    double employee;
    double employer;
};

struct Contributions {
    std::array<std::optional<Contribution>, kFundCount> perFund; // empty when not ticked
    double employeeTotal = 0.0;
    float employerTotal = 0.0f; // rounded back to single after every addition
    double grandTotal = 0.0;
};

// The contributions of the ticked funds on one base. There is no floor, ceiling or rounding
// to cents: the digits shown come straight from these precisions.
Contributions ComputeContributions(float base, const std::array<bool, kFundCount>& ticked);

} // namespace tallyra
