// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/form/planner_inputs.h"
#include "year/pages/result_page.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QSplitter;
class QTableWidget;

namespace tallyra::year {

// Offers side by side, two to four: the year's income, tax, reconciliation, take-home, the
// housing fund both sides pay into the employee's account and the employer's cost of each, the
// difference of each from the first, and the take-home month by month.
class ComparePage : public QWidget, public ResultPage {
    Q_OBJECT

public:
    using Loader = std::function<std::optional<PlannerInputs>(const QString& name)>;
    static constexpr int kMostOffers = 4;

    static QString caption() { return QStringLiteral("方案对比"); }
    ComparePage(Loader load, QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    // The inputs of the window now are the first choice of each side.
    void refresh(const PlannerState& state) override;

    // The stored profiles' names; the current inputs are always offered first.
    void setProfiles(const QStringList& names);
    void choose(const QString& left, const QString& right);
    // Up to four offers by name (the current inputs by their entry's text); the rest not shown.
    void choose(const QStringList& offers);

    // The year's figures: a row per figure, a column per offer, then each one's difference
    // from the first.
    QTableWidget* table() const { return table_; }
    // The take-home of each month, a column per offer.
    QTableWidget* monthTable() const { return months_; }

private:
    void recompute();
    std::optional<PlannerInputs> inputsOf(const QComboBox* box) const;
    void showMonths(const QStringList& names, const std::vector<law::YearPlan>& plans);

    Loader load_;
    std::array<QComboBox*, kMostOffers> boxes_{};
    QLabel* note_;
    QTableWidget* table_;
    QTableWidget* months_;
    QSplitter* views_;
    std::optional<PlannerInputs> current_;
};

} // namespace tallyra::year
