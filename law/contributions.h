// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/money.h"

#include <optional>

namespace tallyra::law {

// A contribution base: the wage, or a base of its own, clamped between a floor and a cap
// (a cap of zero means none).
struct ContributionBase {
    std::optional<Money> fixed; // none: the month's wage
    Money floor;
    Money cap;
    Money of(Money wage) const;
    bool operator==(const ContributionBase&) const = default;
};

// Rates in basis points (1/100 of a percent: 8 % is 800, 0.5 % is 50).
struct EmployeeRates {
    int pension = 800;     // 国发〔2005〕38号: 8 % of the employee's base
    int medical = 200;     // 国发〔1998〕44号: 2 %
    int unemployment = 50; // 0.5 %, a common local rate
    int housingFund = 700; // 5 % to 12 % by the employer's choice; 7 % as a common value
    int supplementaryFund =
        0;           // 补充住房公积金, on the housing fund's base, where an employer has it
    int annuity = 0; // 企业年金, on the annuity's base, where an employer has one

    bool operator==(const EmployeeRates&) const = default;
};
struct EmployerRates {
    int pension = 1600; // 国办发〔2019〕13号: at most 16 %
    int medical = 600;  // 国发〔1998〕44号: about 6 %
    int unemployment = 50;
    int injury = 20;       // set by industry; 0.2 % for an office
    int housingFund = 700; // the same as the employee's
    int supplementaryFund = 0;
    int annuity = 0;
    bool operator==(const EmployerRates&) const = default;
};

struct ContributionSetup {
    ContributionBase socialInsuranceBase;
    ContributionBase housingFundBase; // also the supplementary fund's
    ContributionBase annuityBase;
    EmployeeRates employee;
    EmployerRates employer;
    // 当地上年职工月平均工资: the city's average monthly wage of the previous year, which caps the
    // base on which the fund is tax free and the annuity deductible (three times it). Zero: not
    // given, the bases count as they are.
    Money localAverageWage;
    bool operator==(const ContributionSetup&) const = default;
};

// Each contribution rounded to the fen, half away from zero, on its own.
struct Contributions {
    Money socialInsuranceBase;
    Money housingFundBase;
    Money pension;
    Money medical;
    Money unemployment;
    Money housingFund;
    Money supplementaryFund;
    Money annuityBase;
    Money annuity;
    Money employerPension;
    Money employerMedical;
    Money employerUnemployment;
    Money employerInjury;
    Money employerHousingFund;
    Money employerSupplementaryFund;
    Money employerAnnuity;
    Money socialInsurance() const { return pension + medical + unemployment; }
    Money employeeFund() const { return housingFund + supplementaryFund; }
    Money employerFund() const { return employerHousingFund + employerSupplementaryFund; }
    // What is taken from the pay, and what the employer pays besides it.
    Money employeeTotal() const { return socialInsurance() + employeeFund() + annuity; }
    Money employerTotal() const
    {
        return employerPension + employerMedical + employerUnemployment + employerInjury +
               employerFund() + employerAnnuity;
    }
};

Contributions ComputeContributions(const ContributionSetup& setup, Money wage);

} // namespace tallyra::law
