// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

namespace tallyra::test {

// Points the application at the Chinese (China) locale so that figures read and print alike
// on every machine.
inline void UseChineseLocale()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

} // namespace tallyra::test
