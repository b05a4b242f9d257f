// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app_icon.h"

namespace tallyra {

QIcon AppIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/tallyra/tallyra-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace tallyra
