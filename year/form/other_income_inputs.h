// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tallyra::year {

// The year's other comprehensive income (其他综合所得) payment by payment — month, kind, amount,
// payer, and the tax the payer prepays on it, worked out as it is typed — and severance pay with
// the local average wage. A list of any length, so it is a widget of its own beside the form's
// one-box rows.
class OtherIncomeInputs : public QWidget {
    Q_OBJECT

public:
    explicit OtherIncomeInputs(QWidget* parent = nullptr);

    // Reads the payments and the severance into `plan` (its year already read) and shows each
    // payment's prepayment; a refused amount adds "其他综合所得第 n 笔：…" to `problems`.
    void read(law::YearPlanInput& plan, QStringList& problems);
    void set(const law::YearPlanInput& plan);
    // Adds a row, as the add button does: a payment of labour income in December.
    void addPayment(const law::OtherPayment& payment = {12, law::PaymentKind::Labour, {}, {}});

signals:
    void changed();

private:
    void removeSelected();
    void nameRows();
    QTableWidget* table_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QLineEdit* severanceEdit_ = nullptr;
    QLineEdit* averageWageEdit_ = nullptr;
    QLabel* reason_ = nullptr;
    bool filling_ = false;
};

} // namespace tallyra::year
