// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/form/planner_inputs.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QTableWidget;

namespace tallyra::year {

// Two profiles side by side, to compare offers: the year's income, tax, reconciliation,
// take-home and the employer's cost of each, and the difference.
class ComparePage : public QWidget {
    Q_OBJECT

public:
    using Loader = std::function<std::optional<PlannerInputs>(const QString& name)>;

    ComparePage(Loader load, QWidget* parent = nullptr);

    // The stored profiles' names; the current inputs are always offered first.
    void setProfiles(const QStringList& names);
    // The inputs of the window now; none while they are refused.
    void setCurrent(const std::optional<PlannerInputs>& current);
    void choose(const QString& left, const QString& right);

    QTableWidget* table() const { return table_; }

private:
    void recompute();
    std::optional<PlannerInputs> inputsOf(const QComboBox* box) const;

    Loader load_;
    QComboBox* left_;
    QComboBox* right_;
    QLabel* note_;
    QTableWidget* table_;
    std::optional<PlannerInputs> current_;
};

} // namespace tallyra::year
