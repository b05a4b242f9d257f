#include "platform/message_boxes.h"

#include "platform/app_identity.h"

#include <QMessageBox>
#include <QPushButton>

namespace tallyra {
namespace {

void prepare(QMessageBox& box, const QString& text)
{
    box.setWindowTitle(AppIdentity::title());
    box.setIcon(QMessageBox::NoIcon);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
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
    prepare(box, text);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

bool QtMessageBoxes::askYesNo(const QString& text)
{
    QMessageBox box(parent_);
    prepare(box, text);
    QPushButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace tallyra
