// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar: the settings menu with its four save commands, and the help menu.
#include "window/form1.h"

#include "ui/keyboard_menu_bar.h"

namespace tallyra {
namespace {

QAction* AddEntry(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void AddSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

void Form1::createMenus()
{
    setMenuBar(new KeyboardMenuBar(this));
    QMenu* settingsMenu = menuBar()->addMenu(QStringLiteral("设置"));
    settingsMenu->setObjectName(QStringLiteral("M_Set"));
    connect(AddEntry(settingsMenu, "M_SaveJS", QStringLiteral("保存交税基数")), &QAction::triggered,
            this, &Form1::M_SaveJS_Click);
    connect(AddEntry(settingsMenu, "M_Save3JJS", QStringLiteral("保存三金基数")),
            &QAction::triggered, this, &Form1::M_Save3JJS_Click);
    connect(AddEntry(settingsMenu, "M_SaveBT", QStringLiteral("保存补贴数字")), &QAction::triggered,
            this, &Form1::M_SaveBT_Click);
    AddSeparator(settingsMenu, "sl3");
    connect(AddEntry(settingsMenu, "M_SaveAll", QStringLiteral("保存全部")), &QAction::triggered,
            this, &Form1::M_SaveAll_Click);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助"));
    helpMenu->setObjectName(QStringLiteral("M_copy"));
    connect(AddEntry(helpMenu, "MC_about", QStringLiteral("关于(&A)")), &QAction::triggered, this,
            &Form1::MC_about_Click);
    connect(AddEntry(helpMenu, "MC_readme", QStringLiteral("Readme(&R)")), &QAction::triggered,
            this, &Form1::MC_readme_Click);
    AddSeparator(helpMenu, "sl1");
    connect(AddEntry(helpMenu, "MC_quit", QStringLiteral("退出(&Q)")), &QAction::triggered, this,
            &Form1::MC_quit_Click);
}

} // namespace tallyra
