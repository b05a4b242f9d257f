// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/chart_style.h"

#include "year/planner_colours.h"

#include <QtCharts/QAbstractAxis>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>

namespace tallyra::year {

void StyleChart(QChart& chart, const QPalette& p, const QFont& font)
{
    chart.setTheme(IsDarkPalette(p) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart.setBackgroundBrush(p.color(QPalette::Base));
    chart.setTitleBrush(p.color(QPalette::Text));
    chart.setTitleFont(font);
    chart.legend()->setLabelColor(p.color(QPalette::Text));
    chart.legend()->setFont(font);
    for (QAbstractAxis* axis : chart.axes()) {
        axis->setLabelsColor(p.color(QPalette::Text));
        axis->setTitleBrush(p.color(QPalette::Text));
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
}

} // namespace tallyra::year
