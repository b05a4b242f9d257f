// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"
#include "year/pages/result_page.h"

#include <QtCharts/QChartView>

#include <optional>

class QBarSeries;
class QBarSet;
class QLineSeries;
class QValueAxis;
class QBarCategoryAxis;

namespace tallyra::year {

// The year at a glance: the tax withheld on each month's wage as bars, the wage's take-home pay
// as a line on its own axis, so that the rise of the tax through the year shows. Its colours
// follow the palette.
class MonthChart : public QChartView, public ResultPage {
    Q_OBJECT

public:
    static QString caption() { return QStringLiteral("图表"); }
    explicit MonthChart(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void refresh(const PlannerState& state) override;

    // The figures drawn, for tests: the bar and the point of each month.
    QList<qreal> taxValues() const;
    QList<qreal> takeHomeValues() const;
    // What the pointer is on, exact to the fen, as the tooltip says it: "3月 预扣税 1,234.00
    // 元"; empty when it is on no bar or point.
    QString hovered() const { return hovered_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void showPlan(const std::optional<law::YearPlan>& plan);
    void followPalette();
    void hover(bool on, int month, const QString& what, const std::optional<law::Money>& amount);

    QBarSet* tax_;
    QBarSeries* bars_;
    QLineSeries* takeHome_;
    QBarCategoryAxis* months_;
    QValueAxis* taxAxis_;
    QValueAxis* takeHomeAxis_;
    std::optional<law::YearPlan> plan_;
    QString hovered_;
};

// A round top for an axis that shows `highest`: 1, 2 or 5 times a power of ten.
double NiceCeiling(double highest);

} // namespace tallyra::year
