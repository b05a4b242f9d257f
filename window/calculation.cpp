// SPDX-License-Identifier: GPL-3.0-or-later
// The Compute request: reading and checking the inputs, settling the three-funds total, then
// the tax forwards or backwards and the four result figures.
#include "window/form1.h"

#include "core/tax_brackets.h"
#include "core/tax_formulas.h"
#include "platform/message_boxes.h"
#include "platform/numbers.h"
#include "window/window_messages.h"

namespace tallyra {
namespace {

constexpr float kStandardThreshold = 1000.0f;

// Only for texts that have just passed the numeric test.
float ReadTested(const QLineEdit* box)
{
    return ReadSingle(box->text()).value_or(0.0f);
}

} // namespace

void Form1::CmdExe_Click()
{
    Calculate();
}

void Form1::Calculate()
{
    if (!setValue())
        return;
    if (state_.mTaxBase == 0.0f) {
        inform(window_messages::ChooseThreshold());
        return;
    }
    if (state_.mSalary == 0.0f) {
        inform(window_messages::FillInSalary());
        return;
    }
    if (!settleThreeFunds())
        return;
    writeResults();
}

bool Form1::chkNumeric()
{
    if (ui.TxtSQ->text().isEmpty()) {
        inform(window_messages::SalaryFirst());
        return false;
    }
    if (ui.Txt3J->text().isEmpty())
        ui.Txt3J->setText(QStringLiteral("0"));
    if (ui.TxtAdd->text().isEmpty())
        ui.TxtAdd->setText(QStringLiteral("0"));
    if (!IsNumeric(ui.TxtSQ->text()) || !IsNumeric(ui.Txt3J->text()) ||
        !IsNumeric(ui.TxtAdd->text())) {
        inform(window_messages::WrongDataType());
        return false;
    }
    if (!ui.ChkAlwaysCal3J->isChecked() && ReadTested(ui.TxtSQ) < ReadTested(ui.Txt3J)) {
        inform(window_messages::FundsExceedSalary());
        return false;
    }
    return true;
}

void Form1::GetJS()
{
    if (ui.OptType[0]->isChecked()) {
        state_.mTaxBase = kStandardThreshold;
        return;
    }
    state_.mTaxBase = ReadSingle(ui.CmbJs->currentText()).value_or(0.0f);
}

bool Form1::setValue()
{
    if (!chkNumeric())
        return false;
    state_.mSalary = ReadTested(ui.TxtSQ);
    const float threeFunds = ReadTested(ui.Txt3J);
    state_.mThreeFunds = FundsTotal::FromSingle(threeFunds);
    state_.mSubsidy = ReadTested(ui.TxtAdd);
    if (state_.mSalary < 0.0f || threeFunds < 0.0f) {
        inform(window_messages::MustNotBeNegative());
        return false;
    }
    GetJS();
    if (state_.mTaxBase < 0.0f) {
        inform(window_messages::ThresholdNegative());
        return false;
    }
    // A salary below the threshold matches no row and owes no tax: rate and deduction zero,
    // rather than whatever an earlier calculation left behind.
    const float bracketIncome = state_.mSalary - state_.mTaxBase;
    const auto row = SelectBracket(bracketIncome);
    state_.mRate = row ? row->rate : 0.0;
    state_.mQuickDeduction = row ? row->quickDeduction : 0.0f;
    return true;
}

// Recomputes the funds when always asked to, or when they stand at 0 and the user agrees.
// If the fund command stops with a message, so does the calculation: a stale total is
// never used.
bool Form1::settleThreeFunds()
{
    bool recompute = ui.ChkAlwaysCal3J->isChecked();
    const bool noFunds = state_.mThreeFunds.visit([](auto total) { return total == 0; });
    if (!recompute && noFunds)
        recompute = services_.messages->askYesNo(window_messages::ComputeFundsNow());
    if (!recompute)
        return true;
    if (!computeThreeFunds())
        return false;
    // The new total enters as its box reads, at double precision. The box holds the program's
    // own number text, which always reads.
    state_.mThreeFunds = FundsTotal::FromText(ReadDouble(ui.Txt3J->text()).value_or(0.0));
    return true;
}

void Form1::writeResults()
{
    const FundsTotal funds = state_.mThreeFunds;
    const TaxInputs inputs{state_.mSalary,  state_.mSubsidy, funds,
                           state_.mTaxBase, state_.mRate,    state_.mQuickDeduction};
    const Direction direction =
        ui.cmbIfSQ->currentIndex() == 0 ? Direction::FromPreTax : Direction::FromAfterTax;
    const float tax =
        direction == Direction::FromPreTax ? TaxFromPreTax(inputs) : TaxFromAfterTax(inputs);
    const Figures figures = ResultFigures(direction, state_.mSalary, state_.mSubsidy, funds, tax);
    if (!figures.allFinite()) {
        inform(window_messages::FigureTooLarge());
        return;
    }
    state_.mTax = figures.tax;
    ShowFigure(ui.TxtSQ2, SingleText(figures.preTax));
    ShowFigure(ui.TxtExe, SingleText(figures.tax));
    ShowFigure(ui.TxtSh, SingleText(figures.afterTax));
    ShowFigure(ui.txtSJXJ, SingleText(figures.cash));
}

} // namespace tallyra
