// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_boxes.h"

#include "platform/app_identity.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace tallyra {
namespace {

// What a window manager's title bar holds beside the caption: the window's icon, its buttons
// and their margins (openbox, for one, cut "Tallyra" to "Ta…a" in a box 175 pixels wide).
constexpr int kTitleBarDecorations = 160;

// Makes the box at least as wide as its caption needs in a title bar. QMessageBox sizes itself
// by its layout, so a spacer of that width across the layout's bottom is what widens it; the
// text still takes one line wherever it fits.
void MakeRoomForCaption(QMessageBox& box)
{
    QFont title = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    title.setBold(true);
    const int width =
        QFontMetrics(title).horizontalAdvance(box.windowTitle()) + kTitleBarDecorations;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

void Prepare(QMessageBox& box, const QString& text)
{
    box.setWindowTitle(AppIdentity::title());
    box.setIcon(QMessageBox::NoIcon);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    MakeRoomForCaption(box);
}

} // namespace

QtMessageBoxes::QtMessageBoxes(QWidget* parent)
    : parent_(parent)
{
}

void QtMessageBoxes::setParent(QWidget* parent)
{
    parent_ = parent;
}

void QtMessageBoxes::inform(const QString& text)
{
    QMessageBox box(parent_);
    Prepare(box, text);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

// As on Chinese Windows, the buttons carry their access keys: Y or N answers, with or without
// Alt; Enter takes Yes, Esc means No.
bool QtMessageBoxes::askYesNo(const QString& text)
{
    QMessageBox box(parent_);
    Prepare(box, text);
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

MessageBoxes::SaveChoice QtMessageBoxes::askSaveChanges(const QString& text)
{
    QMessageBox box(parent_);
    Prepare(box, text);
    QPushButton* save = box.addButton(QStringLiteral("保存(&S)"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QStringLiteral("不保存(&N)"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    return box.clickedButton() == discard ? SaveChoice::Discard : SaveChoice::Cancel;
}

} // namespace tallyra
