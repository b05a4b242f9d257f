// SPDX-License-Identifier: GPL-3.0-or-later
// The three-funds command: the employee's and the employer's contributions of the ticked
// funds, worked out from the salary or from a separate base, written into the fund boxes.
#include "window/form1.h"

#include "platform/numbers.h"
#include "window/window_messages.h"

namespace tallyra {

void Form1::CmdCalSJ_Click()
{
    computeThreeFunds();
}

void Form1::OptSjType_Click(int index)
{
    ui.TxtInputSJJS->setVisible(index != 0);
}

bool Form1::computeThreeFunds()
{
    const auto salary = ReadSingle(ui.TxtSQ->text());
    if (!salary) {
        inform(window_messages::FundsSalaryFirst());
        return false;
    }
    for (QLineEdit* box : ui.contributionBoxesInZeroingOrder())
        box->setText(QStringLiteral("0"));

    if (ui.OptSjType[0]->isChecked()) {
        ui.TxtInputSJJS->setVisible(false);
        const Contributions c = writeContributions(*salary);
        ShowFigure(ui.TxtTol3J, DoubleText(c.grandTotal));
        return true;
    }

    ui.TxtInputSJJS->setVisible(true);
    const auto base = ReadSingle(ui.TxtInputSJJS->text());
    if (!base) {
        inform(window_messages::FundsBaseInvalid());
        return false;
    }
    if (*base < 0.0f) {
        inform(window_messages::MustNotBeNegative());
        return false;
    }
    if (!ui.ChkAlwaysCal3J->isChecked() && *salary < *base) {
        inform(window_messages::FundsExceedSalary());
        return false;
    }
    const Contributions c = writeContributions(*base);
    // By a base the grand total is cut two places after the point, not rounded.
    ShowFigure(ui.TxtTol3J, TwoDecimalCutText(c.grandTotal));
    return true;
}

Contributions Form1::writeContributions(float base)
{
    std::array<bool, kFundCount> ticked{};
    for (int i = 0; i < kFundCount; ++i)
        ticked[i] = ui.chkSj[i]->checkState() == Qt::Checked; // greyed counts as unticked
    const Contributions c = ComputeContributions(base, ticked);
    const auto employeeBoxes = ui.employeeBoxes();
    const auto employerBoxes = ui.employerBoxes();
    for (int i = 0; i < kFundCount; ++i) {
        if (!c.perFund[i])
            continue;
        ShowFigure(employeeBoxes[i], DoubleText(c.perFund[i]->employee));
        ShowFigure(employerBoxes[i], DoubleText(c.perFund[i]->employer));
    }
    ShowFigure(ui.Txt3J, DoubleText(c.employeeTotal));
    ShowFigure(ui.TxtCmp3J, SingleText(c.employerTotal));
    return c;
}

} // namespace tallyra
