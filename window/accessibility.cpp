// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/accessibility.h"

namespace tallyra {

// "税前薪水" or "税后薪水": the box holds whichever figure the direction list says.
void FollowDirectionForScreenReaders(const FormControls& controls)
{
    QComboBox* direction = controls.cmbIfSQ;
    QLineEdit* salary = controls.TxtSQ;
    auto rename = [direction, salary] {
        salary->setAccessibleName(QStringLiteral("%1薪水（输入）").arg(direction->currentText()));
    };
    rename();
    QObject::connect(direction, &QComboBox::currentTextChanged, salary, rename);
    // Some platforms announce a list box by its chosen entry; the description says what it is.
    direction->setAccessibleDescription(direction->accessibleName());
}

} // namespace tallyra
