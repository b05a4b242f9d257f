// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form_builder.h"

#include "ui/app_icon.h"
#include "ui/contrast.h"
#include "ui/dotted_line.h"
#include "ui/figure_box.h"
#include "ui/group_frame.h"
#include "ui/palette_colours.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>

namespace tallyra {
namespace {

// The colours a form fixes, each with what stands in for it on a palette it was not drawn for.
const QColor kLineGrey(128, 128, 128);
const QColor kResultBlue(0, 0, 255);
// A figure stays blue on every palette, lighter or darker as its box needs.
const ColourRule kFigureBlue{kResultBlue, QPalette::Text, QPalette::Base, kTextContrast, true};
// Black on a light palette; the palette's own text colour on a dark one.
const ColourRule kCaptionBlack{Qt::black, QPalette::WindowText, QPalette::Window, kTextContrast};
// Greyed, as the palette greys disabled text, yet legible.
const ColourRule kGreyedCaption{QColor(), QPalette::WindowText, QPalette::Window, kGraphicContrast};
const ColourRule kGreyLine{kLineGrey, QPalette::Dark, QPalette::Window, kGraphicContrast};
// The light half of an etched line: a highlight, seen beside its grey half.
const ColourRule kWhiteLine{Qt::white, QPalette::Light, QPalette::Window, 1};
const QString kResultDescription = QStringLiteral("计算结果，只读");

// A control keeps its ends: its pixel width is the distance between its edges' pixel positions.
QRect PixelRect(const ControlSpec& c)
{
    const int left = TwipsToPixels(c.left);
    const int right = TwipsToPixels(c.left + c.width);
    return QRect(left, TwipsToPixels(c.top), right - left, std::max(TwipsToPixels(c.height), 1));
}

QWidget* CaptionLabel(const ControlSpec& c, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(c.caption), parent);
    // A caption sits at the top of its box, level with the box beside it.
    if (!(c.state & kCentredText))
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* ProgramIconLabel(QWidget* parent)
{
    auto* picture = new QLabel(parent);
    picture->setPixmap(AppIcon().pixmap(QSize(32, 32)));
    picture->setAlignment(Qt::AlignCenter);
    return picture;
}

// The text colours a form fixes, kept right for the desktop's palette as it changes; every
// other colour comes from the palette.
void ApplyTextColour(QWidget* control, const ControlSpec& c)
{
    if (c.state & kBlueText)
        KeepColour(control, QPalette::Text, kFigureBlue);
    else if (c.state & kBlackText)
        KeepColour(control, QPalette::WindowText, kCaptionBlack);
    else if (c.kind == ControlKind::Label && (c.state & kDisabled))
        KeepColour(control, QPalette::WindowText, kGreyedCaption, {QPalette::Disabled});
}

void ApplyState(QWidget* control, const ControlSpec& c)
{
    const unsigned state = c.state;
    if (state & kHidden)
        control->setVisible(false);
    if (state & kDisabled)
        control->setEnabled(false);
    if (auto* edit = qobject_cast<QLineEdit*>(control); edit && (state & kReadOnly))
        edit->setReadOnly(true);
    ApplyTextColour(control, c);
    if (auto* button = qobject_cast<QAbstractButton*>(control);
        button && (state & (kChosen | kTicked)))
        button->setChecked(true);
}

void DescribeForScreenReaders(QWidget* control, const ControlSpec& c)
{
    // A box the user cannot type into holds a figure the program worked out.
    if (c.kind == ControlKind::TextBox && (c.state & (kReadOnly | kDisabled)))
        control->setAccessibleDescription(kResultDescription);
    if (!c.accessibleName)
        return;
    control->setAccessibleName(QString::fromUtf8(c.accessibleName));
    // An editable list box is read through its text field, which must carry the same name.
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(control->accessibleName());
}

// Only controls that can ever take the focus are chained: moving a group box in the chain would
// move its contents along with it.
void ChainTabOrder(const std::vector<QWidget*>& tabOrder)
{
    QWidget* previous = nullptr;
    for (QWidget* control : tabOrder) {
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace

QWidget* StandardControl(const ControlSpec& c, QWidget* parent)
{
    const QString caption = QString::fromUtf8(c.caption);
    switch (c.kind) {
    case ControlKind::GroupBox:
        return new GroupFrame(caption, parent);
    case ControlKind::Label:
        return CaptionLabel(c, parent);
    case ControlKind::ProgramIcon:
        return ProgramIconLabel(parent);
    case ControlKind::TextBox:
        // A box the user cannot type into holds a figure the program worked out.
        if (c.state & (kReadOnly | kDisabled))
            return new FigureBox(caption, parent);
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
        combo->setInsertPolicy(QComboBox::NoInsert);
        return combo;
    }
    case ControlKind::DottedLine:
        return new DottedLine(kGreyLine, parent);
    case ControlKind::SolidLine:
        return new SolidLine((c.state & kLightLine) ? kWhiteLine : kGreyLine, parent);
    }
    return new QWidget(parent);
}

FormBuilder::FormBuilder(QWidget* client, ControlFactory create)
    : client_(client)
    , create_(create)
{
}

QWidget* FormBuilder::find(const char* name) const
{
    const auto found = byName_.find(name);
    return found != byName_.end() ? found->second : nullptr;
}

void FormBuilder::report(const ControlSpec& c, const QString& problem)
{
    problems_ << QLatin1String(c.name) + QStringLiteral(": ") + problem;
}

// A container must be a group box of an earlier row: its contents are placed inside it.
QWidget* FormBuilder::parentOf(const ControlSpec& c)
{
    if (!c.container)
        return client_;
    QWidget* container = find(c.container);
    if (!container || !container->inherits("QGroupBox")) {
        report(c, QStringLiteral("no group box %1 before it").arg(QLatin1String(c.container)));
        return client_;
    }
    return container;
}

QWidget* FormBuilder::add(const ControlSpec& c)
{
    QWidget* control = create_(c, parentOf(c));
    control->setObjectName(QString::fromLatin1(c.name));
    control->setGeometry(PixelRect(c));
    ApplyState(control, c);
    DescribeForScreenReaders(control, c);
    if (!byName_.emplace(c.name, control).second)
        report(c, QStringLiteral("the name is used twice"));
    built_.emplace_back(&c, control);
    return control;
}

void FormBuilder::wrongType(const ControlSpec& c)
{
    report(c, QStringLiteral("not of the type of the member it fills"));
}

std::vector<QWidget*> FormBuilder::finish()
{
    std::map<int, QWidget*> byTab;
    for (const auto& [entry, control] : built_) {
        if (entry->buddy) {
            if (auto* caption = qobject_cast<QLabel*>(find(entry->buddy)))
                caption->setBuddy(control);
            else
                report(*entry, QStringLiteral("no label %1").arg(QLatin1String(entry->buddy)));
        }
        if (entry->tab >= 0 && !byTab.emplace(entry->tab, control).second)
            report(*entry, QStringLiteral("tab position %1 is taken").arg(entry->tab));
    }
    std::vector<QWidget*> tabOrder;
    for (const auto& [tab, control] : byTab)
        tabOrder.push_back(control);
    ChainTabOrder(tabOrder);
    return tabOrder;
}

void RequireSoundForm(const char* form, const QStringList& problems)
{
    if (!problems.isEmpty())
        qFatal("The control table of %s does not resolve: %s", form,
               qPrintable(problems.join(QStringLiteral("; "))));
}

} // namespace tallyra
