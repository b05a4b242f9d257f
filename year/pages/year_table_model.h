// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_outcome.h"
#include "law/year_plan.h"

#include <QAbstractTableModel>
#include <QPalette>

#include <optional>

namespace tallyra::year {

// The year table: one row a month and a totals row, over the engine's year plan. The wage of
// an employed month can be edited in place; the edit is read and handed on, never applied here.
class YearTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Month,
        Wage,
        Bonus,
        Contributions,
        CumulativeTaxable,
        Rate,
        Withheld,
        BonusTax,
        TakeHome,
        EmployerCost,
        ColumnCount // the columns shown at first and written to files
    };
    // The contributions item by item, the employee's then the employer's: columns the user shows
    // when wanted, after the others.
    enum ItemColumn {
        Pension = ColumnCount,
        Medical,
        Unemployment,
        Fund, // the supplementary fund with it
        Annuity,
        EmployerPension,
        EmployerMedical,
        EmployerUnemployment,
        EmployerInjury,
        EmployerFund,
        EmployerAnnuity,
        AllColumns
    };
    static bool isItemColumn(int column) { return column >= ColumnCount && column < AllColumns; }
    // Whether the year has an annuity: its columns are shown with the others only then.
    bool hasAnnuity() const;
    enum Role {
        FenRole = Qt::UserRole + 1, // a money cell's amount in fen (qint64); a rate cell's percent
        ExportRole,                 // the cell as written to a CSV file
    };
    static constexpr int kTotalsRow = 12;

    explicit YearTableModel(QObject* parent = nullptr);

    // None before any inputs were sound: the months are listed, their figures left empty. A plan
    // not `current` is the last one of sound inputs, shown in the placeholder colour and read
    // to screen readers as the last result while a box is refused.
    void setPlan(std::optional<law::YearPlan> plan, bool current = true);
    bool current() const { return current_; }
    const std::optional<law::YearPlan>& plan() const { return plan_; }
    // The palette the step-up marks are tinted from.
    void setPalette(const QPalette& palette);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // A column's header on one line, as files and screen readers take it.
    static QString header(int column);
    static QString shortHeader(int column);

signals:
    void wageEdited(int month, law::Money wage);
    void wageRefused(int month, const QString& reason);

private:
    std::optional<law::Money> amount(int row, int column) const;
    static std::optional<law::Money> itemOf(const law::MonthPlan& month, int column);
    QString text(int row, int column) const;
    QString exportText(int row, int column) const;
    QString accessibleText(int row, int column) const;
    bool stepsUp(int row) const;
    bool employed(int row) const;
    // The bonus's cells of the month whose bonus lies in a cliff.
    bool inCliff(int row, int column) const;

    std::optional<law::YearPlan> plan_;
    std::optional<law::BonusCliffLoss> cliff_;
    bool current_ = true;
    QPalette palette_;
};

} // namespace tallyra::year
