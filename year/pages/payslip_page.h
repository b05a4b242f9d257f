// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/pages/payslip.h"
#include "year/pages/result_page.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QPushButton;
class QTextBrowser;

namespace tallyra::year {

class GrossChart;

// "工资条": the payslip of a month chosen from those employed, to read, copy as text (Ctrl+C),
// print or keep as a PDF; the window opens the dialogs.
class PayslipPage : public QWidget, public ResultPage {
    Q_OBJECT

public:
    static QString caption() { return QStringLiteral("工资条"); }
    explicit PayslipPage(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void refresh(const PlannerState& state) override;

    void setMonth(int month);
    GrossChart* chart() const { return chart_; }
    // The payslip shown; none while the inputs are refused.
    const std::optional<Payslip>& payslip() const { return payslip_; }
    // Puts the payslip on the clipboard as text.
    void copy();

signals:
    void printRequested(const Payslip& payslip);
    void pdfRequested(const Payslip& payslip);

private:
    void showMonth();

    QComboBox* monthBox_;
    QTextBrowser* view_;
    QPushButton* copyButton_;
    QPushButton* printButton_;
    QPushButton* pdfButton_;
    GrossChart* chart_;
    std::optional<law::YearPlanInput> input_;
    std::optional<law::YearPlan> plan_;
    std::optional<Payslip> payslip_;
};

} // namespace tallyra::year
