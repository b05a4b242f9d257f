#include "year/month_chart.h"

#include "year/palette_colors.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <QEvent>

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

MonthChart::MonthChart(QWidget* parent)
    : QChartView(parent)
    , tax_(new QBarSet(QStringLiteral("本月预扣税（含年终奖税）")))
    , bars_(new QBarSeries)
    , takeHome_(new QLineSeries)
    , months_(new QBarCategoryAxis)
    , taxAxis_(new QValueAxis)
    , takeHomeAxis_(new QValueAxis)
{
    setObjectName(QStringLiteral("monthChart"));
    setAccessibleName(QStringLiteral("每月预扣税与税后收入图"));
    setRenderHint(QPainter::Antialiasing);
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("每月预扣税与税后收入"));
    takeHome_->setName(QStringLiteral("税后收入"));
    bars_->append(tax_);
    chart->addSeries(bars_);
    chart->addSeries(takeHome_);
    QStringList names;
    for (int m = 1; m <= 12; ++m)
        names << QStringLiteral("%1月").arg(m);
    months_->append(names);
    taxAxis_->setTitleText(QStringLiteral("预扣税（元）"));
    takeHomeAxis_->setTitleText(QStringLiteral("税后收入（元）"));
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
    setChart(chart);
    followPalette();
}

void MonthChart::setPlan(const std::optional<law::YearPlan>& plan)
{
    tax_->remove(0, tax_->count());
    takeHome_->clear();
    double highestTax = 0;
    double highestTakeHome = 0;
    if (plan) {
        for (int m = 1; m <= 12; ++m) {
            const law::MonthPlan& p = plan->months[m - 1];
            // Yuan as the axes show them; the figures themselves stay exact in the table.
            const double tax = double((p.step.withheld + p.bonusTax).fen()) / 100;
            const double home = double(p.takeHome.fen()) / 100;
            tax_->append(tax);
            takeHome_->append(m - 1, home);
            highestTax = std::max(highestTax, tax);
            highestTakeHome = std::max(highestTakeHome, home);
        }
    }
    taxAxis_->setRange(0, NiceCeiling(highestTax));
    takeHomeAxis_->setRange(0, NiceCeiling(highestTakeHome));
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

// The chart's own themes, light or dark as the palette is, then the palette's window and text
// colours so that the chart sits in the window like any other control.
void MonthChart::followPalette()
{
    const QPalette p = palette();
    chart()->setTheme(IsDarkPalette(p) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart()->setBackgroundBrush(p.color(QPalette::Base));
    chart()->setTitleBrush(p.color(QPalette::Text));
    chart()->legend()->setLabelColor(p.color(QPalette::Text));
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(months_), static_cast<QAbstractAxis*>(taxAxis_),
          static_cast<QAbstractAxis*>(takeHomeAxis_)}) {
        axis->setLabelsColor(p.color(QPalette::Text));
        axis->setTitleBrush(p.color(QPalette::Text));
    }
    tax_->setColor(TaxSeriesColor(p));
    tax_->setBorderColor(TaxSeriesColor(p));
    QPen line(TakeHomeSeriesColor(p));
    line.setWidth(3);
    takeHome_->setPen(line);
    takeHome_->setPointsVisible(true);
    QFont font = this->font();
    chart()->setTitleFont(font);
    chart()->legend()->setFont(font);
    for (QAbstractAxis* axis : chart()->axes()) {
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
}

} // namespace tallyra::year
