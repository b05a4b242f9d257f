#pragma once

#include "ui/twips.h"

#include <span>

namespace tallyra {

enum class ControlKind {
    GroupBox,
    Label,
    TextBox,
    Button,
    Option,
    CheckBox,
    DropDownList,
    EditableDropDown,
    Line,
};

// Initial states, as flags.
enum ControlState : unsigned {
    kNoState = 0,
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kReadOnly = 1u << 2,
    kBlueText = 1u << 3,
    kChosen = 1u << 4,
    kTicked = 1u << 5,
};

// One control of the main window. Geometry is in twips (15 twips = 1 pixel at 96 dpi), relative
// to its container: the window's client area, or a group box named by `container`.
struct ControlSpec {
    const char* name;
    ControlKind kind;
    const char* caption;
    const char* container; // nullptr: the client area
    int left;
    int top;
    int width;
    int height;
    int tab; // position in the tab order, -1 when the control has none
    unsigned state;
};

// Every control of the main window, containers before their contents.
std::span<const ControlSpec> ControlTable();

constexpr int kClientWidthTwips = 5235;
constexpr int kClientHeightTwips = 7155;

} // namespace tallyra
