// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/comparison.h"
#include "law/year_plan.h"
#include "year/pages/result_page.h"

#include <QWidget>

#include <optional>
#include <vector>

class QBarSet;
class QChartView;
class QLabel;
class QTableWidget;

namespace tallyra::year {

// The same monthly wage under every law the engine holds (the engine's comparison): the first
// month's tax, the year's tax and the year's take-home of each law, as a table and a bar chart.
class HistoryPage : public QWidget, public ResultPage {
    Q_OBJECT

public:
    static QString caption() { return QStringLiteral("历年税法"); }
    explicit HistoryPage(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    // The wage, contributions and special additional deductions of the year's first month
    // employed.
    void refresh(const PlannerState& state) override;

    const std::vector<law::LawComparisonRow>& rows() const { return rows_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void followPalette();

    QLabel* caption_;
    QTableWidget* table_;
    QChartView* chart_;
    QBarSet* yearTax_;
    std::vector<law::LawComparisonRow> rows_;
};

} // namespace tallyra::year
