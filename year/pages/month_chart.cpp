// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/month_chart.h"

#include "year/amount_text.h"
#include "year/pages/chart_style.h"
#include "year/planner_colours.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <QCursor>
#include <QEvent>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tallyra::year {

double NiceCeiling(double highest)
{
    if (highest <= 0)
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(highest)));
    for (const double step : {1.0, 2.0, 5.0, 10.0})
        if (highest <= step * power)
            return step * power;
    return 10 * power;
}

// The chart is handed to the view at construction: a view built without one makes a chart of
// its own, which the view then does not free.
MonthChart::MonthChart(QWidget* parent)
    : QChartView(new QChart, parent)
    , tax_(new QBarSet(QStringLiteral("工资的预扣税")))
    , bars_(new QBarSeries)
    , takeHome_(new QLineSeries)
    , months_(new QBarCategoryAxis)
    , taxAxis_(new QValueAxis)
    , takeHomeAxis_(new QValueAxis)
{
    setObjectName(QStringLiteral("monthChart"));
    setAccessibleName(QStringLiteral("每月预扣税与税后收入图"));
    setRenderHint(QPainter::Antialiasing);
    QChart* chart = this->chart();
    // The wage's own figures: a bonus and its separate tax would dwarf the months around them;
    // they have their page.
    chart->setTitle(QStringLiteral("每月工资的预扣税与到手（年终奖另计）"));
    takeHome_->setName(QStringLiteral("工资到手"));
    bars_->append(tax_);
    chart->addSeries(bars_);
    chart->addSeries(takeHome_);
    QStringList names;
    for (int m = 1; m <= 12; ++m)
        names << QStringLiteral("%1月").arg(m);
    months_->append(names);
    taxAxis_->setTitleText(QStringLiteral("预扣税（元）"));
    takeHomeAxis_->setTitleText(QStringLiteral("到手（元）"));
    taxAxis_->setLabelFormat(QStringLiteral("%.0f"));
    takeHomeAxis_->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(months_, Qt::AlignBottom);
    chart->addAxis(taxAxis_, Qt::AlignLeft);
    chart->addAxis(takeHomeAxis_, Qt::AlignRight);
    bars_->attachAxis(months_);
    bars_->attachAxis(taxAxis_);
    takeHome_->attachAxis(months_);
    takeHome_->attachAxis(takeHomeAxis_);
    chart->legend()->setAlignment(Qt::AlignBottom);
    followPalette();
    connect(tax_, &QBarSet::hovered, this, [this](bool on, int index) {
        hover(on, index + 1, QStringLiteral("预扣税"),
              plan_ ? std::optional(plan_->months[std::size_t(index)].step.withheld)
                    : std::nullopt);
    });
    connect(takeHome_, &QLineSeries::hovered, this, [this](const QPointF& point, bool on) {
        const int index = std::clamp(int(std::lround(point.x())), 0, 11);
        hover(on, index + 1, QStringLiteral("工资到手"),
              plan_ ? std::optional(plan_->months[std::size_t(index)].wageTakeHome) : std::nullopt);
    });
}

// The exact figure of the bar or point under the pointer, from the plan rather than from the
// chart's rounded coordinates.
void MonthChart::hover(bool on, int month, const QString& what,
                       const std::optional<law::Money>& amount)
{
    if (!on || !amount) {
        hovered_.clear();
        QToolTip::hideText();
        return;
    }
    hovered_ = QStringLiteral("%1月 %2 %3 元").arg(month).arg(what, GroupedAmount(*amount));
    QToolTip::showText(QCursor::pos(), hovered_, this);
}

void MonthChart::refresh(const PlannerState& state)
{
    showPlan(state.plan);
}

void MonthChart::showPlan(const std::optional<law::YearPlan>& plan)
{
    plan_ = plan;
    hovered_.clear();
    tax_->remove(0, tax_->count());
    takeHome_->clear();
    double highestTax = 0;
    double highestHome = 0;
    if (plan) {
        for (int m = 1; m <= 12; ++m) {
            const law::MonthPlan& p = plan->months[m - 1];
            // Yuan as the axes show them; the figures themselves stay exact in the table.
            const double tax = double(p.step.withheld.fen()) / 100;
            tax_->append(tax);
            highestTax = std::max(highestTax, tax);
            if (!p.employed)
                continue;
            const double home = double(p.wageTakeHome.fen()) / 100;
            takeHome_->append(m - 1, home);
            highestHome = std::max(highestHome, home);
        }
    }
    // Both axes from 0, so that a bar's or a point's height compares with another's: an axis
    // that starts higher makes a small dip look like a fall. The pointer shows each exact
    // figure.
    taxAxis_->setRange(0, NiceCeiling(highestTax));
    takeHomeAxis_->setRange(0, std::max(highestHome, 1.0));
    takeHomeAxis_->applyNiceNumbers();
}

QList<qreal> MonthChart::taxValues() const
{
    QList<qreal> values;
    for (int i = 0; i < tax_->count(); ++i)
        values << tax_->at(i);
    return values;
}

QList<qreal> MonthChart::takeHomeValues() const
{
    QList<qreal> values;
    for (const QPointF& point : takeHome_->points())
        values << point.y();
    return values;
}

void MonthChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        followPalette();
    QChartView::changeEvent(event);
}

// The palette's colours and the font, then the series' own colours (the theme resets them).
void MonthChart::followPalette()
{
    const QPalette p = palette();
    StyleChart(*chart(), p, font());
    tax_->setColor(TaxSeriesColor(p));
    tax_->setBorderColor(TaxSeriesColor(p));
    QPen line(TakeHomeSeriesColor(p));
    line.setWidth(3);
    takeHome_->setPen(line);
    takeHome_->setPointsVisible(true);
}

} // namespace tallyra::year
