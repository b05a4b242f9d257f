// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenuBar>

namespace tallyra {

// A menu bar that highlights its active title whenever it has the keyboard, in every style:
// Fusion, for one, highlights a title only while its menu is open, so after Alt nothing showed
// where the keyboard was. F10 opens its first menu in every style, also in those (GNOME's) that
// take no Alt for the menu bar.
class KeyboardMenuBar : public QMenuBar {
public:
    explicit KeyboardMenuBar(QWidget* parent);

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
};

} // namespace tallyra
