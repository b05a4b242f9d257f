// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"
#include "year/form/planner_inputs.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace tallyra::year {

// What the result pages show: the inputs as the form reads them, the engine's plan of them, or
// why there is none.
struct PlannerState {
    std::optional<PlannerInputs> inputs; // none while a box is refused
    std::optional<law::YearPlan> plan;   // none while the inputs are refused
    QStringList problems;                // "月工资：…", one per refused box
};

// One page of the result tabs. Every page class also says its tab's caption with a static
// `caption()`: the tab and the menu entry exist before the page is built, on first showing.
class ResultPage {
public:
    virtual ~ResultPage() = default;

    // The page as placed in its tab (the page itself).
    virtual QWidget* widget() = 0;
    // Brings the page to the inputs and plan now. Called when the page is shown after a change:
    // a page out of sight is brought up to date as it comes into sight, not at every keystroke.
    virtual void refresh(const PlannerState& state) = 0;
};

} // namespace tallyra::year
