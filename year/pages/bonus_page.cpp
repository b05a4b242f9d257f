// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/bonus_page.h"

#include "year/pages/plan_texts.h"

namespace tallyra::year {

BonusPage::BonusPage()
    : TextPage(QStringLiteral("bonusView"), QStringLiteral("年终奖计税比较"))
{
}

QString BonusPage::describe(const law::YearPlanInput& input, const law::YearPlan& plan) const
{
    return DescribeBonus(input, plan);
}

} // namespace tallyra::year
