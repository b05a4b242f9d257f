// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/form_builder.h"

#include <QLabel>
#include <QPushButton>

namespace tallyra {

constexpr int kAboutClientWidthTwips = 5025;
constexpr int kAboutClientHeightTwips = 2565;

// Typed access to the controls the box's code reads and writes.
struct AboutControls {
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

// Builds every control of the About box's table on `box`.
BuiltForm<AboutControls> BuildAboutControls(QWidget* box);

} // namespace tallyra
