// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/money.h"

namespace tallyra::law {

enum class Housing { None, Loan, Rent };

// The special additional deductions an employee declares, item by item. Amounts follow from
// the tax year's legal figures; a share is one of kDeductionShares (100 or 50, percent of the
// legal amount).
struct SpecialDeductionItems {
    int childrenInEducation = 0;
    int childEducationShare = 100;
    int infants = 0; // under three, from 2022
    int infantShare = 100;
    bool continuingDegree = false;
    bool certificateObtained = false; // a vocational certificate obtained in the year
    int certificateMonth = 0; // deducted at withholding from this month; 0: at the reconciliation
    Housing housing = Housing::None; // a housing loan and rent cannot both be deducted
    int housingLoanShare = 100;
    int rentTier = 1; // 1: 1,500; 2: 1,100; 3: 800
    bool elderlyOnlyChild = false;
    Money elderlyShare;       // a sibling's monthly share, capped by the year's limit
    Money seriousIllnessCost; // paid by the patient in the year; at the reconciliation only
    bool operator==(const SpecialDeductionItems&) const = default;
};

// One line of the special deductions of a month, for explaining it.
struct SpecialDeductionBreakdown {
    Money childEducation;
    Money infantCare;
    Money continuingEducation; // the degree's monthly amount
    Money housing;
    Money elderlySupport;
    Money total() const
    {
        return childEducation + infantCare + continuingEducation + housing + elderlySupport;
    }
};

// The month's deductions of a tax year from 2019 (zero before); a share not in kDeductionShares,
// a negative count or an unknown tier is refused with std::invalid_argument.
SpecialDeductionBreakdown MonthlySpecialDeduction(int taxYear, const SpecialDeductionItems& items);
// 3,600 in the year of a vocational certificate, else 0.
Money CertificateDeduction(int taxYear, const SpecialDeductionItems& items);
// What the patient paid above 15,000, at most 80,000.
Money SeriousIllnessDeduction(int taxYear, Money cost);

// Other deductions with legal caps, as an employee pays them a month.
struct OtherDeductionItems {
    Money commercialHealthInsurance; // a month; at most 200
    Money personalPension;           // a month; the year's total at most 12,000
    Money other;                     // anything else the law allows, uncapped here
    bool operator==(const OtherDeductionItems&) const = default;
};

// The deductible part of a month's other deductions, given what the year has already had of
// the personal pension.
Money DeductibleOtherDeductions(int taxYear, const OtherDeductionItems& items,
                                Money pensionAlreadyDeducted);
// The deductible part of a personal pension payment within the year's cap; none before the
// personal pension existed.
Money DeductiblePension(int taxYear, Money payment, Money alreadyDeducted);

} // namespace tallyra::law
