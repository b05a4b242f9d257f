// SPDX-License-Identifier: GPL-3.0-or-later
// Reset: back to a fresh calculation without reading the saved settings again.
#include "window/form1.h"

#include "platform/numbers.h"

namespace tallyra {

void Form1::CmdReset_Click()
{
    const QString zero = QStringLiteral("0");
    for (QLineEdit* box : {ui.TxtSQ, ui.Txt3J, ui.TxtAdd})
        box->setText(zero);
    state_.mSalary = ReadSingle(ui.TxtSQ->text()).value_or(0.0f);
    state_.mThreeFunds = FundsTotal::FromSingle(ReadSingle(ui.Txt3J->text()).value_or(0.0f));
    state_.mSubsidy = ReadSingle(ui.TxtAdd->text()).value_or(0.0f);
    for (QLineEdit* box : {ui.TxtSQ2, ui.TxtExe, ui.TxtSh, ui.txtSJXJ})
        box->setText(zero);
    ui.OptType[0]->setChecked(true);
    for (QCheckBox* fund : ui.chkSj)
        fund->setChecked(true);
    for (QLineEdit* box : ui.contributionBoxesInZeroingOrder())
        box->setText(zero);
    ui.TxtCmp3J->setText(zero);
    ui.TxtTol3J->setText(zero);
}

} // namespace tallyra
