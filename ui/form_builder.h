// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

// The form builder: a window's controls are described once, a table row each, and built from
// that table with their names, captions, places, initial states, tab order, screen-reader names
// and buddies, and handed to the window as typed members.
namespace tallyra {

enum class ControlKind {
    GroupBox,
    Label,
    ProgramIcon, // the program's icon, centred in the control
    TextBox,
    Button,
    Option,
    CheckBox,
    DropDownList,
    EditableDropDown, // only the program fills its list
    DottedLine,       // a one-pixel dotted separator
    SolidLine,        // a filled strip, grey or (kLightLine) white
};

// Initial states, as flags.
enum ControlState : unsigned {
    kNoState = 0,
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kReadOnly = 1u << 2,
    kBlueText = 1u << 3,  // a figure the program worked out: blue, readable on any palette
    kBlackText = 1u << 4, // a caption in black on a light palette, readable on any other
    kChosen = 1u << 5,
    kTicked = 1u << 6,
    kCentredText = 1u << 7, // a label's text in the middle of its height, not at its top
    kLightLine = 1u << 8,
};

// One control. Geometry is in twips (15 twips = 1 pixel at 96 dpi), relative to its container:
// the form's client area, or a group box of an earlier row.
struct ControlSpec {
    const char* name; // the object name, unique in the form; indexed ones as "chkSj(2)"
    ControlKind kind;
    const char* caption;
    const char* container; // nullptr: the client area
    int left;
    int top;
    int width;
    int height; // a line's thickness
    int tab;    // position in the tab order, -1 when the control has none
    unsigned state;
    const char* accessibleName; // what a screen reader calls it; nullptr: its caption
    const char* buddy;          // the name of the label that captions it, or nullptr
};

// Puts a built control into its typed member; false when the control is not of that type.
template <class Controls> using MemberFill = bool (*)(Controls& controls, QWidget* control);

// One row of a form's table: the control, and the member of the form's `Controls` struct it
// fills (nullptr when no code of the form uses it).
template <class Controls> struct ControlRow {
    ControlSpec control;
    MemberFill<Controls> member;
};

namespace form_detail {
template <class M> struct MemberOf;
template <class C, class T> struct MemberOf<T C::*> {
    using Controls = C;
    using Type = T;
};
template <auto Member> using ControlsOf = typename MemberOf<decltype(Member)>::Controls;
template <auto Member> using TypeOf = typename MemberOf<decltype(Member)>::Type;
} // namespace form_detail

// The member fill for `&Controls::member`, a pointer to a widget type.
template <auto Member> bool Into(form_detail::ControlsOf<Member>& controls, QWidget* control)
{
    using Widget = std::remove_pointer_t<form_detail::TypeOf<Member>>;
    auto* typed = qobject_cast<Widget*>(control);
    controls.*Member = typed;
    return typed != nullptr;
}

// The member fill for element `Index` of `&Controls::member`, an array of widget pointers.
template <auto Member, std::size_t Index>
bool IntoElement(form_detail::ControlsOf<Member>& controls, QWidget* control)
{
    using Widget = std::remove_pointer_t<typename form_detail::TypeOf<Member>::value_type>;
    auto* typed = qobject_cast<Widget*>(control);
    (controls.*Member)[Index] = typed;
    return typed != nullptr;
}

// Creates the widget of a control, without placing or naming it.
using ControlFactory = QWidget* (*)(const ControlSpec& control, QWidget* parent);

// The program's own controls: painted group frames and dotted line, captions at the top of their
// labels.
QWidget* StandardControl(const ControlSpec& control, QWidget* parent);

// Builds the controls of one form, row by row, on its client area.
class FormBuilder {
public:
    FormBuilder(QWidget* client, ControlFactory create);

    // Creates, names, places and sets up one control.
    QWidget* add(const ControlSpec& control);
    // Notes that a control is not of the type of the member it should fill.
    void wrongType(const ControlSpec& control);
    // Captions the boxes by their buddies and chains the tab order. Every control with a tab
    // position, in that order.
    std::vector<QWidget*> finish();

    // What in the table did not resolve: a container, a buddy, a name or a tab position used
    // twice, a member of another type.
    const QStringList& problems() const { return problems_; }

private:
    QWidget* find(const char* name) const;
    QWidget* parentOf(const ControlSpec& control);
    void report(const ControlSpec& control, const QString& problem);

    QWidget* client_;
    ControlFactory create_;
    std::vector<std::pair<const ControlSpec*, QWidget*>> built_;
    std::map<std::string, QWidget*> byName_;
    QStringList problems_;
};

template <class Controls> struct BuiltForm {
    Controls controls;
    std::vector<QWidget*> tabOrder; // every control with a tab position, in that order
    QStringList problems;           // empty for a sound table
};

// Builds every row of `rows` on `client` (a widget the size of the client area), in the order
// of the table: containers before their contents, later rows on top. Reports what does not
// resolve rather than stopping.
template <class Controls>
BuiltForm<Controls> TryBuildForm(QWidget* client, std::span<const ControlRow<Controls>> rows,
                                 ControlFactory create = StandardControl)
{
    FormBuilder builder(client, create);
    BuiltForm<Controls> form;
    for (const ControlRow<Controls>& row : rows) {
        QWidget* control = builder.add(row.control);
        if (row.member && !row.member(form.controls, control))
            builder.wrongType(row.control);
    }
    form.tabOrder = builder.finish();
    form.problems = builder.problems();
    return form;
}

// Ends the program, in every build type, when a form's table does not resolve: a window with a
// missing control would fail later, at the user's first click.
void RequireSoundForm(const char* form, const QStringList& problems);

// TryBuildForm for a table that must be sound.
template <class Controls>
BuiltForm<Controls> BuildForm(const char* form, QWidget* client,
                              std::span<const ControlRow<Controls>> rows,
                              ControlFactory create = StandardControl)
{
    BuiltForm<Controls> built = TryBuildForm(client, rows, create);
    RequireSoundForm(form, built.problems);
    return built;
}

} // namespace tallyra
