#pragma once

#include <QLabel>
#include <QPushButton>

#include <span>

namespace tallyra {

enum class AboutControlKind { Picture, Label, Button, Line };

// One control of the About box. Geometry is in twips (15 twips = 1 pixel at 96 dpi) relative to
// the client area. A line runs from (left, top) to (left + width, top); its height is its
// thickness and `rgb` its colour.
struct AboutControlSpec {
    const char* name;
    AboutControlKind kind;
    const char* text;
    int left;
    int top;
    int width;
    int height;
    int tab; // position in the tab order, -1 when the control has none
    unsigned rgb;
};

// Every control of the About box, in stacking order (later ones lie on top).
std::span<const AboutControlSpec> AboutControlTable();

constexpr int kAboutClientWidthTwips = 5025;
constexpr int kAboutClientHeightTwips = 2565;

// Typed access to the controls the box reads and writes.
struct AboutControls {
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

// Creates every control of the table on `box`, with its name, text, geometry and tab order.
AboutControls BuildAboutControls(QWidget* box);

} // namespace tallyra
