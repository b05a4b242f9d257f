// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/contribution_items.h"

#include "year/amount_text.h"

namespace tallyra::year {

using law::Money;

QString ContributionItem::working() const
{
    return QStringLiteral("%1（%2 × %3%）").arg(name, GroupedAmount(base), RateText(basisPoints));
}

namespace {

// The items every month has, then those an employer may not have.
std::vector<ContributionItem> Items(std::initializer_list<ContributionItem> always,
                                    std::initializer_list<ContributionItem> where)
{
    std::vector<ContributionItem> items(always);
    for (const ContributionItem& item : where)
        if (!item.amount.isZero())
            items.push_back(item);
    return items;
}

} // namespace

std::vector<ContributionItem> EmployeeItems(const law::ContributionSetup& setup,
                                            const law::Contributions& c)
{
    const law::EmployeeRates& r = setup.employee;
    const Money social = c.socialInsuranceBase;
    const Money fund = c.housingFundBase;
    return Items(
        {{QStringLiteral("养老保险"), social, r.pension, c.pension},
         {QStringLiteral("医疗保险"), social, r.medical, c.medical},
         {QStringLiteral("失业保险"), social, r.unemployment, c.unemployment},
         {QStringLiteral("住房公积金"), fund, r.housingFund, c.housingFund}},
        {{QStringLiteral("补充住房公积金"), fund, r.supplementaryFund, c.supplementaryFund},
         {QStringLiteral("企业年金"), c.annuityBase, r.annuity, c.annuity}});
}

std::vector<ContributionItem> EmployerItems(const law::ContributionSetup& setup,
                                            const law::Contributions& c)
{
    const law::EmployerRates& r = setup.employer;
    const Money social = c.socialInsuranceBase;
    const Money fund = c.housingFundBase;
    return Items(
        {{QStringLiteral("养老保险"), social, r.pension, c.employerPension},
         {QStringLiteral("医疗保险"), social, r.medical, c.employerMedical},
         {QStringLiteral("失业保险"), social, r.unemployment, c.employerUnemployment},
         {QStringLiteral("工伤保险"), social, r.injury, c.employerInjury},
         {QStringLiteral("住房公积金"), fund, r.housingFund, c.employerHousingFund}},
        {{QStringLiteral("补充住房公积金"), fund, r.supplementaryFund, c.employerSupplementaryFund},
         {QStringLiteral("企业年金"), c.annuityBase, r.annuity, c.employerAnnuity}});
}

} // namespace tallyra::year
