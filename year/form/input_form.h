// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/form/field_row.h"
#include "year/form/input_fields.h"
#include "year/form/planner_inputs.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QVBoxLayout;

namespace tallyra::year {

class OtherIncomeInputs;

// The form's controls, each with the object name of its member.
struct InputControls {
    QComboBox* yearBox = nullptr;
    QComboBox* firstMonthBox = nullptr;
    QLineEdit* wageEdit = nullptr;
    QLineEdit* bonusEdit = nullptr;
    QComboBox* bonusMonthBox = nullptr;
    QRadioButton* bonusSeparateOption = nullptr;
    QRadioButton* bonusCombinedOption = nullptr;
    QLineEdit* socialBaseEdit = nullptr;
    QLineEdit* socialFloorEdit = nullptr;
    QLineEdit* socialCapEdit = nullptr;
    QLineEdit* fundBaseEdit = nullptr;
    QLineEdit* fundFloorEdit = nullptr;
    QLineEdit* fundCapEdit = nullptr;
    QLineEdit* pensionRateEdit = nullptr;
    QLineEdit* employerPensionRateEdit = nullptr;
    QLineEdit* medicalRateEdit = nullptr;
    QLineEdit* employerMedicalRateEdit = nullptr;
    QLineEdit* unemploymentRateEdit = nullptr;
    QLineEdit* employerUnemploymentRateEdit = nullptr;
    QLineEdit* employerInjuryRateEdit = nullptr;
    QLineEdit* fundRateEdit = nullptr;
    QLineEdit* employerFundRateEdit = nullptr;
    QLineEdit* averageWageEdit = nullptr;
    QLineEdit* supplementaryFundRateEdit = nullptr;
    QLineEdit* employerSupplementaryFundRateEdit = nullptr;
    QLineEdit* annuityRateEdit = nullptr;
    QLineEdit* employerAnnuityRateEdit = nullptr;
    QLineEdit* annuityBaseEdit = nullptr;
    QSpinBox* childrenSpin = nullptr;
    QComboBox* childShareBox = nullptr;
    QSpinBox* infantSpin = nullptr;
    QComboBox* infantShareBox = nullptr;
    QCheckBox* degreeCheck = nullptr;
    QCheckBox* certificateCheck = nullptr;
    QComboBox* certificateMonthBox = nullptr;
    QComboBox* housingBox = nullptr;
    QComboBox* loanShareBox = nullptr;
    QComboBox* rentTierBox = nullptr;
    QComboBox* elderlyBox = nullptr;
    QLineEdit* elderlyShareEdit = nullptr;
    QLineEdit* illnessEdit = nullptr;
    QLineEdit* healthInsuranceEdit = nullptr;
    QLineEdit* personalPensionEdit = nullptr;
    QLineEdit* otherDeductionEdit = nullptr;
    QCheckBox* wholeYearCheck = nullptr;
    QCheckBox* reconcileWholeYearCheck = nullptr;
    QLineEdit* otherIncomeEdit = nullptr;
    QLineEdit* otherContributionsEdit = nullptr;
    QLineEdit* otherWithheldEdit = nullptr;
};

// The planner's inputs, a form in group boxes: the year and its law, the first month employed,
// the wage and the bonus, the contribution bases and rates, the special additional deductions
// item by item with the year's legal amounts, the other deductions with their caps. Every box
// is checked as it is typed; a refused value shows its reason on the line below it.
class InputForm : public QWidget {
    Q_OBJECT

public:
    // Years from the first the law lets a year be planned (law::FirstPlannableYear) to
    // `latestYear`.
    InputForm(int latestYear, QWidget* parent = nullptr);
    ~InputForm() override;

    struct Reading {
        std::optional<PlannerInputs> inputs; // none while a box is refused
        QStringList problems;                // "月工资：…", one per refused box
    };
    // Reads every box, shows each one's reason or note, and gives the inputs when all read.
    Reading read();

    void setInputs(const PlannerInputs& inputs);

    // Wages set in the year table: one month, or a month and every later one.
    void setMonthWage(int month, law::Money wage);
    void setWagesFrom(int month, law::Money wage);
    void clearWageEdits();
    bool hasWageEdits() const;

    const InputControls& controls() const { return c_; }

signals:
    void changed();

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildIncome();
    void buildContributions();
    void buildSpecial();
    void buildOther();
    void buildReconciliation();
    void connectChanges();
    void showYearLaw(int year);
    void showWholeYearRule(int year);
    void showContributionRules(int year);
    void showChoices();

    void readUndeclared(PlannerInputs& in);
    void checkLimits(const InputField& field, const PlannerInputs& in, QStringList& problems);
    void checkAcross(PlannerInputs& in, QStringList& problems);
    void noteCaps(const PlannerInputs& in);
    law::Money readMoney(QLineEdit* edit, QStringList& problems,
                         std::optional<law::Money> empty = law::Money()) const;

    QLineEdit* moneyEdit(const char* name, const QString& placeholder = QString());
    QLineEdit* rateEdit(const char* name);
    QSpinBox* countSpin(const InputField& field);
    QComboBox* choiceBox(const InputField& field);
    QWidget* box(const char* objectName);
    template <typename Box> Box* made(const char* objectName)
    {
        return static_cast<Box*>(box(objectName));
    }
    FieldRow* row(const QString& caption, std::initializer_list<QWidget*> controls,
                  std::initializer_list<QString> names = {});
    void line(FieldRow* row, std::initializer_list<QWidget*> controls,
              std::initializer_list<QString> names = {});
    QStringList namesOf(std::initializer_list<QWidget*> controls,
                        std::initializer_list<QString> names, const QString& caption) const;
    FieldRow* fieldRow(QWidget* control);
    FieldRow* rowOf(QWidget* control) const;
    const InputField* declaredFor(const QWidget* control) const;

    void readField(const InputField& field, QWidget* box, PlannerInputs& in, QStringList& problems);
    void setField(const InputField& field, QWidget* box, const PlannerInputs& in);

    int latestYear_;
    QVBoxLayout* groups_ = nullptr;
    QFormLayout* form_ = nullptr; // the group being built
    std::vector<std::unique_ptr<FieldRow>> rows_;
    std::vector<QWidget*> boxes_; // the box of each declared input, in the order declared
    std::array<std::optional<law::Money>, 12> edits_{};
    bool filling_ = false;
    bool separateChosen_ = false; // the separate treatment, set aside for a year without it
    // The whole-year deduction as chosen while a year without it greys the box out.
    bool wholeYearWanted_ = false;

    InputControls c_;
    OtherIncomeInputs* others_ = nullptr; // payments of other income, severance pay
};

} // namespace tallyra::year
