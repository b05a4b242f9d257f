// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/gross_chart.h"

#include "year/amount_text.h"
#include "year/pages/chart_style.h"
#include "year/pages/contribution_items.h"
#include "year/planner_colours.h"

#include <QtCharts/QLegend>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>

#include <QEvent>
#include <QFontMetricsF>

#include <algorithm>

namespace tallyra::year {

namespace {
const QString kTakeHome = QStringLiteral("实发");
const QString kTax = QStringLiteral("个税");
} // namespace

// The chart is handed to the view at construction: a view built without one makes a chart of
// its own, which the view then does not free.
GrossChart::GrossChart(QWidget* parent)
    : QChartView(new QChart, parent)
    , slices_(new QPieSeries)
{
    setObjectName(QStringLiteral("grossChart"));
    setAccessibleName(QStringLiteral("本月税前收入的去向"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("住房公积金 00,000.00")) * 2);
    chart()->setTitle(QStringLiteral("本月税前收入的去向"));
    chart()->addSeries(slices_);
    chart()->legend()->setAlignment(Qt::AlignRight);
    followPalette();
}

void GrossChart::showMonth(const law::YearPlanInput& input, const law::MonthPlan& month)
{
    clear();
    auto add = [this](const QString& name, law::Money amount) {
        if (amount > law::Money())
            slices_->append(name + QLatin1Char(' ') + GroupedAmount(amount),
                            double(amount.fen()) / 100);
    };
    add(kTakeHome, month.takeHome);
    add(kTax, month.step.withheld + month.bonusTax);
    for (const ContributionItem& item : EmployeeItems(input.contributions, month.contributions))
        add(item.name, item.amount);
    followPalette();
}

// The legend asks for its widest label's width but is given less than it at some scalings (its
// margins are taken from it), and the longest labels lose their amounts: it asks for room for
// the marker and the margins besides.
void GrossChart::widenLegend()
{
    QLegend* legend = chart()->legend();
    const QFontMetricsF metrics(legend->font());
    qreal widest = 0;
    for (const QPieSlice* slice : slices_->slices())
        widest = std::max(widest, metrics.horizontalAdvance(slice->label()));
    legend->setMinimumWidth(widest + 3 * metrics.height());
}

void GrossChart::clear()
{
    slices_->clear();
}

QStringList GrossChart::sliceLabels() const
{
    QStringList labels;
    for (const QPieSlice* slice : slices_->slices())
        labels << slice->label();
    return labels;
}

void GrossChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        followPalette();
    QChartView::changeEvent(event);
}

void GrossChart::followPalette()
{
    const QPalette p = palette();
    StyleChart(*chart(), p, font());
    // The take-home and the tax in the colours the year chart gives them.
    for (QPieSlice* slice : slices_->slices()) {
        if (slice->label().startsWith(kTakeHome))
            slice->setBrush(TakeHomeSeriesColor(p));
        else if (slice->label().startsWith(kTax))
            slice->setBrush(TaxSeriesColor(p));
    }
    widenLegend(); // in the font just set
}

} // namespace tallyra::year
