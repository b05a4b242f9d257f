// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/contributions.h"

#include "core/single.h"

namespace tallyra {

const std::array<FundRates, kFundCount>& FundRateTable()
{
    static const std::array<FundRates, kFundCount> rates = {{
        {0.07, 0.07},  // housing fund
        {0.08, 0.225}, // pension insurance
        {0.02, 0.12},  // medical insurance
        {0.01, 0.02},  // unemployment insurance
    }};
    return rates;
}

Contributions ComputeContributions(float base, const std::array<bool, kFundCount>& ticked)
{
    Contributions result;
    const double wideBase = static_cast<double>(base);
    for (int i = 0; i < kFundCount; ++i) {
        if (!ticked[i])
            continue;
        const FundRates& rates = FundRateTable()[i];
        const Contribution c{wideBase * rates.employee, wideBase * rates.employer};
        result.employeeTotal = c.employee + result.employeeTotal;
        result.employerTotal =
            NarrowToSingle(c.employer + static_cast<double>(result.employerTotal));
        result.perFund[i] = c;
    }
    result.grandTotal = static_cast<double>(result.employerTotal) + result.employeeTotal;
    return result;
}

} // namespace tallyra
