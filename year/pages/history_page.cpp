// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/history_page.h"

#include "law/parameters.h"
#include "year/amount_text.h"
#include "year/pages/month_chart.h"
#include "year/planner_colours.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tallyra::year {

using law::Money;

HistoryPage::HistoryPage(QWidget* parent)
    : QWidget(parent)
    , caption_(new QLabel)
    , table_(new QTableWidget(0, 4))
    , chart_(new QChartView(new QChart)) // given its chart: one it made itself would not be freed
    , yearTax_(new QBarSet(QStringLiteral("全年个税")))
{
    caption_->setObjectName(QStringLiteral("historyCaption"));
    caption_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("historyTable"));
    table_->setAccessibleName(QStringLiteral("历年税法下的税额"));
    table_->setHorizontalHeaderLabels({QStringLiteral("税法"), QStringLiteral("首月个税"),
                                       QStringLiteral("全年个税"), QStringLiteral("全年税后收入")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    chart_->setObjectName(QStringLiteral("historyChart"));
    chart_->setAccessibleName(QStringLiteral("历年税法下的全年个税图"));
    chart_->setRenderHint(QPainter::Antialiasing);
    QChart* chart = chart_->chart();
    chart->setTitle(QStringLiteral("同一工资在历年税法下的全年个税（按各税法施行之日）"));
    auto* series = new QBarSeries;
    series->append(yearTax_);
    chart->addSeries(series);
    chart->addAxis(new QBarCategoryAxis, Qt::AlignBottom);
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTitleText(QStringLiteral("元"));
    chart->addAxis(axis, Qt::AlignLeft);
    series->attachAxis(chart->axes(Qt::Horizontal).first());
    series->attachAxis(axis);
    chart->legend()->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addWidget(table_); // as high as its rows
    layout->addWidget(chart_, 1);
    followPalette();
}

void HistoryPage::refresh(const PlannerState& state)
{
    rows_.clear();
    table_->setRowCount(0);
    yearTax_->remove(0, yearTax_->count());
    if (!state.plan) {
        caption_->setText(QStringLiteral("左侧输入有误，暂不比较。"));
        return;
    }
    const law::MonthPlan& first = state.plan->months[state.inputs->plan.firstMonthEmployed - 1];
    const Money contributions = first.contributions.employeeTotal();
    const Money special = first.special.total();
    rows_ = law::SameWageUnderEveryLaw(first.wage, contributions, special);
    caption_->setText(
        QStringLiteral("月工资 %1 元、个人社保公积金 %2 元%3，全年12个月在各个时期的税法下：")
            .arg(ShortAmount(first.wage), ShortAmount(contributions),
                 special.isZero() ? QString()
                                  : QStringLiteral("、专项附加扣除每月 %1 元（%2年起才有）")
                                        .arg(ShortAmount(special))
                                        .arg(law::kSpecialAdditionalDeductions.first().from.year)));
    table_->setRowCount(int(rows_.size()));
    QStringList names;
    double highest = 0;
    for (int i = 0; i < int(rows_.size()); ++i) {
        const law::LawComparisonRow& row = rows_[std::size_t(i)];
        const QString name = QString::fromUtf8(row.law->name);
        const law::CivilDate from = row.law->effectiveFrom;
        names << (from.month == 1 ? QStringLiteral("%1年").arg(from.year)
                                  : QStringLiteral("%1年%2月").arg(from.year).arg(from.month));
        table_->setItem(i, 0, new QTableWidgetItem(name));
        const Money figures[] = {row.firstMonthTax, row.yearTax, row.yearTakeHome};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(GroupedAmount(figures[c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(i, c + 1, item);
        }
        const double tax = double(row.yearTax.fen()) / 100;
        yearTax_->append(tax);
        highest = std::max(highest, tax);
    }
    // The whole table in view; the chart takes the rest.
    table_->resizeRowsToContents();
    int height = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth();
    for (int r = 0; r < table_->rowCount(); ++r)
        height += table_->rowHeight(r);
    table_->setMinimumHeight(height);
    table_->setMaximumHeight(height);
    auto* axis = static_cast<QBarCategoryAxis*>(chart_->chart()->axes(Qt::Horizontal).first());
    axis->setCategories(names);
    chart_->chart()->axes(Qt::Vertical).first()->setRange(0, NiceCeiling(highest));
}

void HistoryPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        followPalette();
    QWidget::changeEvent(event);
}

void HistoryPage::followPalette()
{
    const QPalette p = palette();
    QChart* chart = chart_->chart();
    chart->setTheme(IsDarkPalette(p) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart->setBackgroundBrush(p.color(QPalette::Base));
    chart->setTitleBrush(p.color(QPalette::Text));
    chart->setTitleFont(font());
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsColor(p.color(QPalette::Text));
        axis->setTitleBrush(p.color(QPalette::Text));
        axis->setLabelsFont(font());
        axis->setTitleFont(font());
    }
    yearTax_->setColor(TaxSeriesColor(p));
    yearTax_->setBorderColor(TaxSeriesColor(p));
}

} // namespace tallyra::year
