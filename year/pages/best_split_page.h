// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/package_split.h"
#include "year/pages/result_page.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace tallyra::year {

// "最优分配": the year's pay (the wages of the months employed and the bonus) split between one
// monthly wage and a bonus for the least tax after the annual reconciliation, beside today's
// split and the next two best, with the best one worked out step by step; a button puts it into
// the form.
class BestSplitPage : public QWidget, public ResultPage {
    Q_OBJECT

public:
    static QString caption() { return QStringLiteral("最优分配"); }
    explicit BestSplitPage(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void refresh(const PlannerState& state) override;

    // The search's answer for the inputs shown; none while there is none.
    const std::optional<law::BestSplit>& found() const { return found_; }

signals:
    // The best split, as the form takes it: the wage of every month, the bonus and its
    // treatment.
    void applyRequested(law::Money wage, law::Money bonus, law::BonusTreatment treatment);

private:
    void showRefusal(const QString& text);
    void apply();

    QTextBrowser* view_;
    QPushButton* applyButton_;
    std::optional<law::BestSplit> found_;
};

} // namespace tallyra::year
