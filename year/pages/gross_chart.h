// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <QtCharts/QChartView>

class QPieSeries;

namespace tallyra::year {

// Where a month's gross pay goes: the take-home, the tax and each of the employee's
// contributions, as slices of a pie named with their amounts. Its colours follow the palette.
class GrossChart : public QChartView {
    Q_OBJECT

public:
    explicit GrossChart(QWidget* parent = nullptr);

    // The month's slices; none shown for a month not employed.
    void showMonth(const law::YearPlanInput& input, const law::MonthPlan& month);
    void clear();

    // The slices' names as the legend shows them, for tests: "实发 20,306.25".
    QStringList sliceLabels() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void followPalette();
    void widenLegend();

    QPieSeries* slices_;
};

} // namespace tallyra::year
