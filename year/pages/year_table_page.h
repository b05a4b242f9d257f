// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"
#include "year/pages/result_page.h"

#include <QWidget>

#include <array>
#include <optional>

class QAction;
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
class YearTablePage : public QWidget, public ResultPage {
    Q_OBJECT

public:
    static QString caption() { return QStringLiteral("逐月明细"); }
    YearTablePage(YearTableModel* model, QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    // Explains the selected month of the plan; the problems while the inputs are refused. The
    // page reads `state` whenever the selection changes: it must outlive the page.
    void refresh(const PlannerState& state) override;

    QTableView* table() const { return table_; }
    // The month selected in the table (1-12), or 0 when the totals row or nothing is.
    int selectedMonth() const;
    void selectMonth(int month);
    void showWageProblem(const QString& reason);
    // The contribution item columns (养老, 医疗, 失业, 公积金 of each side) shown or hidden;
    // hidden at first, so that the year fits a common screen.
    void setItemColumnsShown(bool shown);
    bool itemColumnsShown() const;
    QAction* itemColumnsAction() const { return itemColumnsAction_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void wagesFromRequested(int month, law::Money wage);
    void clearEditsRequested();

private:
    QAction* itemColumnsAction_;
    void explainSelected();
    void showWhetherCurrent();
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
    QLabel* staleNote_;
    QTextBrowser* explanation_;
    QSplitter* split_ = nullptr;
    bool sized_ = false;
    bool explanationPainted_ = false;
    std::array<int, 128>
        plainAdvances_{}; // the advance of each ASCII character; [0] set once measured
    std::array<int, 128> boldAdvances_{};
    const PlannerState* state_ = nullptr;
};

} // namespace tallyra::year
