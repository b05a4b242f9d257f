// The floor for the calculator's start-up: a fixed-size window with the same 58 controls and the
// same two menus, at the same places, with the same captions and in the same interface font,
// built from plain Qt widgets with no styling, no icon, no translations, no settings and no
// handlers. The controls the calculator hides at start (its table's hidden ones and the
// threshold list) are hidden here too, so both draw the same set of widgets in their first
// frame.
#include "window/control_table.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <map>
#include <string>
#include <string_view>

using namespace tallyra;

namespace {

QWidget* createPlainWidget(const ControlSpec& entry, QWidget* parent)
{
    const QString caption = QString::fromUtf8(entry.caption);
    switch (entry.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(caption, parent);
    case ControlKind::Label:
        return new QLabel(caption, parent);
    case ControlKind::TextBox:
        return new QLineEdit(caption, parent);
    case ControlKind::Button:
        return new QPushButton(caption, parent);
    case ControlKind::Option:
        return new QRadioButton(caption, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::DropDownList:
        return new QComboBox(parent);
    case ControlKind::EditableDropDown: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        return combo;
    }
    case ControlKind::Line: {
        auto* line = new QFrame(parent);
        line->setFrameShape(QFrame::HLine);
        return line;
    }
    }
    return nullptr;
}

void buildControls(QWidget* client)
{
    std::map<std::string, QWidget*> containers;
    for (const ControlSpec& entry : ControlTable()) {
        QWidget* parent = entry.container ? containers.at(entry.container) : client;
        QWidget* widget = createPlainWidget(entry, parent);
        widget->setGeometry(entry.left / kTwipsPerPixel, entry.top / kTwipsPerPixel,
                            entry.width / kTwipsPerPixel,
                            std::max(entry.height / kTwipsPerPixel, 1));
        widget->setVisible(!(entry.state & kHidden) && std::string_view(entry.name) != "CmbJs");
        widget->setEnabled(!(entry.state & kDisabled));
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setChecked(entry.state & (kChosen | kTicked));
        if (entry.kind == ControlKind::GroupBox)
            containers[entry.name] = widget;
    }
}

void buildMenus(QMenuBar* bar)
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
    buildControls(client);
    buildMenus(window.menuBar());
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return QApplication::exec();
}
