// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/form_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace tallyra {

// Typed access to the controls the handlers read and write, by their names in the window.
struct FormControls {
    QPushButton* CmdAbout = nullptr;
    QPushButton* CmdCalSJ = nullptr;
    QPushButton* CmdExe = nullptr;
    QPushButton* CmdReset = nullptr;
    QPushButton* CmdClose = nullptr;

    std::array<QRadioButton*, 2> OptType{};
    QComboBox* CmbJs = nullptr;

    QComboBox* cmbIfSQ = nullptr;
    QLineEdit* TxtSQ = nullptr;
    QLineEdit* TxtAdd = nullptr;
    std::array<QRadioButton*, 2> OptSjType{};
    QLineEdit* TxtInputSJJS = nullptr;
    std::array<QCheckBox*, 4> chkSj{};

    // Employee contributions, in fund order, then the employer's.
    QLineEdit* TxtGJJ = nullptr;
    QLineEdit* TxtYLJ = nullptr;
    QLineEdit* TxtYLBX = nullptr;
    QLineEdit* TxtSYBX = nullptr;
    QLineEdit* TxtGSGJJ = nullptr;
    QLineEdit* TxtGSYLJ = nullptr;
    QLineEdit* TxtGSYLBX = nullptr;
    QLineEdit* TxtGSSYBX = nullptr;
    QLineEdit* Txt3J = nullptr;
    QLineEdit* TxtCmp3J = nullptr;
    QLineEdit* TxtTol3J = nullptr;
    QCheckBox* ChkAlwaysCal3J = nullptr;

    QLineEdit* TxtSQ2 = nullptr;
    QLineEdit* TxtSh = nullptr;
    QLineEdit* TxtExe = nullptr;
    QLineEdit* txtSJXJ = nullptr;

    std::array<QLineEdit*, 4> employeeBoxes() const { return {TxtGJJ, TxtYLJ, TxtYLBX, TxtSYBX}; }
    std::array<QLineEdit*, 4> employerBoxes() const
    {
        return {TxtGSGJJ, TxtGSYLJ, TxtGSYLBX, TxtGSSYBX};
    }
    // The order in which the contribution boxes are zeroed before every fund calculation.
    std::array<QLineEdit*, 8> contributionBoxesInZeroingOrder() const
    {
        return {TxtGJJ, TxtYLJ, TxtYLBX, TxtSYBX, TxtGSGJJ, TxtGSSYBX, TxtGSYLBX, TxtGSYLJ};
    }
};

// Writes a figure into its box so that its first digits show: a figure longer than the box is
// read from the left, not scrolled to its last digits.
inline void ShowFigure(QLineEdit* box, const QString& text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

// Builds every control of the main window's table on `client` (a widget the size of the client
// area) and makes each pair of options one exclusive group.
BuiltForm<FormControls> BuildControls(QWidget* client);

} // namespace tallyra
