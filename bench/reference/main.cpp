// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the calculator's start-up: a fixed-size window with the same 58 controls and the
// same two menus, at the same places, with the same captions and in the same interface font,
// built by the same form builder from the calculator's own control table, but with Qt's plain
// group boxes and line instead of the painted ones, and with no icon, no translations, no
// settings and no handlers. The controls the calculator hides at start (its table's hidden ones and
// the threshold list) are hidden here too, so both draw the same set of widgets in their first
// frame.
#include "ui/twips.h"
#include "window/control_table.h"

#include <QApplication>
#include <QGroupBox>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

using namespace tallyra;

namespace {

// The calculator's controls, but a plain group box and line instead of its painted ones.
QWidget* PlainControl(const ControlSpec& control, QWidget* parent)
{
    switch (control.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(QString::fromUtf8(control.caption), parent);
    case ControlKind::DottedLine: {
        auto* line = new QFrame(parent);
        line->setFrameShape(QFrame::HLine);
        return line;
    }
    default:
        return StandardControl(control, parent);
    }
}

void BuildMenus(QMenuBar* bar)
{
    QMenu* settings = bar->addMenu(QStringLiteral("设置"));
    settings->addAction(QStringLiteral("保存交税基数"));
    settings->addAction(QStringLiteral("保存三金基数"));
    settings->addAction(QStringLiteral("保存补贴数字"));
    settings->addSeparator();
    settings->addAction(QStringLiteral("保存全部"));
    QMenu* help = bar->addMenu(QStringLiteral("帮助"));
    help->addAction(QStringLiteral("关于(&A)"));
    help->addAction(QStringLiteral("Readme(&R)"));
    help->addSeparator();
    help->addAction(QStringLiteral("退出(&Q)"));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("个人所得税计算器"));
    auto* client = new QWidget(&window);
    client->setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
    window.setCentralWidget(client);
    BuildForm("reference", client, ControlTable(), PlainControl).controls.CmbJs->hide();
    BuildMenus(window.menuBar());
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return QApplication::exec();
}
