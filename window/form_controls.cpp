#include "window/form_controls.h"

#include "window/control_table.h"
#include "ui/dotted_line.h"
#include "ui/group_frame.h"

#include <QButtonGroup>
#include <QLabel>

#include <algorithm>
#include <map>

namespace tallyra {
namespace {

QRect pixelRect(const ControlSpec& entry)
{
    const int height = std::max(entry.height / kTwipsPerPixel, 1);
    return QRect(entry.left / kTwipsPerPixel, entry.top / kTwipsPerPixel,
                 entry.width / kTwipsPerPixel, height);
}

QWidget* createWidget(const ControlSpec& entry, QWidget* parent)
{
    const QString caption = QString::fromUtf8(entry.caption);
    switch (entry.kind) {
    case ControlKind::GroupBox:
        return new GroupFrame(caption, parent);
    case ControlKind::Label: {
        // Captions sit at the top of their box, level with the box beside them.
        auto* label = new QLabel(caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
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
        combo->setInsertPolicy(QComboBox::NoInsert); // only the program fills the list
        return combo;
    }
    case ControlKind::Line:
        return new DottedLine(QColor(128, 128, 128), parent);
    }
    return nullptr;
}

void applyState(QWidget* widget, unsigned state)
{
    if (state & kHidden)
        widget->setVisible(false);
    if (state & kDisabled)
        widget->setEnabled(false);
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && (state & kReadOnly))
        edit->setReadOnly(true);
    if (state & kBlueText) {
        QPalette palette = widget->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Text, QColor(0, 0, 255));
        widget->setPalette(palette);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget);
        button && (state & (kChosen | kTicked)))
        button->setChecked(true);
}

template <class T> T* child(QWidget* client, const char* name)
{
    auto* widget = client->findChild<T*>(QString::fromLatin1(name));
    Q_ASSERT_X(widget, "BuildControls", name);
    return widget;
}

FormControls collect(QWidget* c)
{
    FormControls f;
    f.CmdAbout = child<QPushButton>(c, "CmdAbout");
    f.CmdCalSJ = child<QPushButton>(c, "CmdCalSJ");
    f.CmdExe = child<QPushButton>(c, "CmdExe");
    f.CmdReset = child<QPushButton>(c, "CmdReset");
    f.CmdClose = child<QPushButton>(c, "CmdClose");
    f.OptType = {child<QRadioButton>(c, "OptType(0)"), child<QRadioButton>(c, "OptType(1)")};
    f.CmbJs = child<QComboBox>(c, "CmbJs");
    f.cmbIfSQ = child<QComboBox>(c, "cmbIfSQ");
    f.TxtSQ = child<QLineEdit>(c, "TxtSQ");
    f.TxtAdd = child<QLineEdit>(c, "TxtAdd");
    f.OptSjType = {child<QRadioButton>(c, "OptSjType(0)"), child<QRadioButton>(c, "OptSjType(1)")};
    f.TxtInputSJJS = child<QLineEdit>(c, "TxtInputSJJS");
    f.chkSj = {child<QCheckBox>(c, "chkSj(0)"), child<QCheckBox>(c, "chkSj(1)"),
               child<QCheckBox>(c, "chkSj(2)"), child<QCheckBox>(c, "chkSj(3)")};
    f.TxtGJJ = child<QLineEdit>(c, "TxtGJJ");
    f.TxtYLJ = child<QLineEdit>(c, "TxtYLJ");
    f.TxtYLBX = child<QLineEdit>(c, "TxtYLBX");
    f.TxtSYBX = child<QLineEdit>(c, "TxtSYBX");
    f.TxtGSGJJ = child<QLineEdit>(c, "TxtGSGJJ");
    f.TxtGSYLJ = child<QLineEdit>(c, "TxtGSYLJ");
    f.TxtGSYLBX = child<QLineEdit>(c, "TxtGSYLBX");
    f.TxtGSSYBX = child<QLineEdit>(c, "TxtGSSYBX");
    f.Txt3J = child<QLineEdit>(c, "Txt3J");
    f.TxtCmp3J = child<QLineEdit>(c, "TxtCmp3J");
    f.TxtTol3J = child<QLineEdit>(c, "TxtTol3J");
    f.ChkAlwaysCal3J = child<QCheckBox>(c, "ChkAlwaysCal3J");
    f.TxtSQ2 = child<QLineEdit>(c, "TxtSQ2");
    f.TxtSh = child<QLineEdit>(c, "TxtSh");
    f.TxtExe = child<QLineEdit>(c, "TxtExe");
    f.txtSJXJ = child<QLineEdit>(c, "txtSJXJ");
    return f;
}

// Each option pair is one exclusive group; the window's two groups never mix.
void groupOptions(const FormControls& f, QWidget* client)
{
    for (const auto& pair : {f.OptType, f.OptSjType}) {
        auto* group = new QButtonGroup(client);
        group->setExclusive(true);
        for (int i = 0; i < 2; ++i)
            group->addButton(pair[i], i);
    }
}

// Only controls that can ever take the focus are chained: moving a group box in the chain
// would move its contents along with it.
void chainTabOrder(QWidget* client)
{
    std::vector<QWidget*> focusable;
    for (QWidget* control : ControlsInTabOrder(client)) {
        if (control->focusPolicy() != Qt::NoFocus)
            focusable.push_back(control);
    }
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1], focusable[i]);
}

} // namespace

std::vector<QWidget*> ControlsInTabOrder(QWidget* client)
{
    std::map<int, QWidget*> byTab;
    for (const ControlSpec& entry : ControlTable()) {
        if (entry.tab >= 0)
            byTab[entry.tab] = client->findChild<QWidget*>(QString::fromLatin1(entry.name));
    }
    std::vector<QWidget*> ordered;
    for (const auto& [tab, widget] : byTab)
        ordered.push_back(widget);
    return ordered;
}

FormControls BuildControls(QWidget* client)
{
    std::map<std::string, QWidget*> containers;
    for (const ControlSpec& entry : ControlTable()) {
        QWidget* parent = entry.container ? containers.at(entry.container) : client;
        QWidget* widget = createWidget(entry, parent);
        widget->setObjectName(QString::fromLatin1(entry.name));
        widget->setGeometry(pixelRect(entry));
        applyState(widget, entry.state);
        if (entry.kind == ControlKind::GroupBox)
            containers[entry.name] = widget;
    }
    FormControls controls = collect(client);
    groupOptions(controls, client);
    chainTabOrder(client);
    return controls;
}

} // namespace tallyra
