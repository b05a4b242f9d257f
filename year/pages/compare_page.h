// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/form/planner_inputs.h"
#include "year/pages/result_page.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QTableWidget;

namespace tallyra::year {

// Two profiles side by side, to compare offers: the year's income, tax, reconciliation,
// take-home and the employer's cost of each, and the difference.
class ComparePage : public QWidget, public ResultPage {
    Q_OBJECT

public:
    using Loader = std::function<std::optional<PlannerInputs>(const QString& name)>;

    static QString caption() { return QStringLiteral("方案对比"); }
    ComparePage(Loader load, QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    // The inputs of the window now are the first choice of each side.
    void refresh(const PlannerState& state) override;

    // The stored profiles' names; the current inputs are always offered first.
    void setProfiles(const QStringList& names);
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
