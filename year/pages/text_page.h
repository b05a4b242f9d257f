// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/pages/result_page.h"

#include <QTextBrowser>

namespace tallyra::year {

// A result page that tells the year's plan in words, as rich text; while the inputs are refused
// it says so instead.
class TextPage : public QTextBrowser, public ResultPage {
    Q_OBJECT

public:
    QWidget* widget() override { return this; }
    void refresh(const PlannerState& state) override;

protected:
    TextPage(const QString& objectName, const QString& accessibleName);

    // The page's text for a plan of the inputs.
    virtual QString describe(const law::YearPlanInput& input, const law::YearPlan& plan) const = 0;
};

} // namespace tallyra::year
