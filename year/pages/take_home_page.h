// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"
#include "year/pages/result_page.h"

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tallyra::year {

// "我想每月到手 X": the wage of each month that takes home X, found by the engine month by
// month (the tax withheld grows through the year, so the wage must too), and a button that puts
// these wages into the year table; beside it the one wage for every month whose year's
// take-home, after the reconciliation, averages at least X, and a button that puts it into the
// form.
class TakeHomePage : public QWidget, public ResultPage {
    Q_OBJECT

public:
    static QString caption() { return QStringLiteral("税后倒推"); }
    explicit TakeHomePage(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    // The year as planned now.
    void refresh(const PlannerState& state) override;

    using Wages = std::array<std::optional<law::Money>, 12>;
    const Wages& wages() const { return wages_; }
    // The one wage for the year; none while there is no answer.
    std::optional<law::Money> oneWage() const { return oneWage_; }

signals:
    void applyRequested(const Wages& wages);
    void oneWageRequested(law::Money wage);

private:
    void recompute();
    void showOneWage(const law::YearPlanInput& input, law::Money target);

    QLineEdit* targetEdit_;
    QLabel* hint_;
    QLabel* summary_;
    QTableWidget* table_;
    QPushButton* applyButton_;
    QLabel* oneWageSummary_;
    QPushButton* oneWageButton_;
    std::optional<law::YearPlanInput> input_;
    Wages wages_{};
    std::optional<law::Money> oneWage_;
};

} // namespace tallyra::year
