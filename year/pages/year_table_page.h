// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableView;
class QTextBrowser;

namespace tallyra::year {

class YearTableModel;

// The year table with, below it, how the selected month's tax was reached, and a line to set
// the wage of the selected month and every later one.
class YearTablePage : public QWidget {
    Q_OBJECT

public:
    YearTablePage(YearTableModel* model, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }
    // The month selected in the table (1-12), or 0 when the totals row or nothing is.
    int selectedMonth() const;
    void selectMonth(int month);
    // Shows the plan's figures; none while the inputs are refused.
    void showPlan(const law::YearPlanInput* input, const law::YearPlan* plan,
                  const QStringList& problems);
    void showWageProblem(const QString& reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void wagesFromRequested(int month, law::Money wage);
    void clearEditsRequested();

private:
    void explainSelected();
    void fitColumns();
    int textWidth(const QString& text, bool bold);
    void shareHeight();
    void checkWagesFrom();

    YearTableModel* model_;
    QTableView* table_;
    QLineEdit* fromEdit_;
    QPushButton* fromButton_;
    QPushButton* clearButton_;
    QLabel* fromHint_;
    QTextBrowser* explanation_;
    QSplitter* split_ = nullptr;
    bool sized_ = false;
    bool explanationPainted_ = false;
    std::array<int, 128>
        plainAdvances_{}; // the advance of each ASCII character; [0] set once measured
    std::array<int, 128> boldAdvances_{};
    const law::YearPlanInput* input_ = nullptr;
    const law::YearPlan* plan_ = nullptr;
    QStringList problems_;
};

} // namespace tallyra::year
