// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_icon.h"

namespace tallyra::year {

QIcon YearIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/tallyra/tallyra-year-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace tallyra::year
