// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/pages/text_page.h"

namespace tallyra::year {

// The bonus page: the separate and the combined treatment of the year's bonus compared, and
// the cliff a bonus may lie in.
class BonusPage : public TextPage {
    Q_OBJECT

public:
    static QString caption() { return QStringLiteral("年终奖"); }
    BonusPage();

protected:
    QString describe(const law::YearPlanInput& input, const law::YearPlan& plan) const override;
};

} // namespace tallyra::year
