// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/keyboard_menu_bar.h"

#include <QShortcut>
#include <QStyleOptionMenuItem>

namespace tallyra {

KeyboardMenuBar::KeyboardMenuBar(QWidget* parent)
    : QMenuBar(parent)
{
    connect(new QShortcut(QKeySequence(Qt::Key_F10), parent), &QShortcut::activated, this,
            [this] { setActiveAction(actions().value(0)); });
}

// The active title is drawn as the style draws a title whose menu is open.
void KeyboardMenuBar::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const
{
    QMenuBar::initStyleOption(option, action);
    if (hasFocus() && action == activeAction())
        option->state |= QStyle::State_Selected | QStyle::State_Sunken;
}

} // namespace tallyra
