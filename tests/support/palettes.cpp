// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/palettes.h"

#include <QStringList>

namespace tallyra::test {
namespace {

// The palette of the style Adwaita-Dark (Debian's adwaita-qt6), read off a program under it.
const char* const kAdwaitaDarkActive =
    "#ffeeeeec, #ff373737, #ff515151, #ff444444, #ff1e1e1e, #ff2a2a2a, #ffeeeeec, #ffffffff, "
    "#ffeeeeec, #ff2d2d2d, #ff353535, #19000000, #ff15539e, #ffffffff, #ff3584e4, #ff1b6acb, "
    "#ff2d2d2d, #ff000000, #b2262626, #ffffffff, #ffeeeeec";
const char* const kAdwaitaDarkDisabled =
    "#ff919190, #ff323232, #ff515151, #ff444444, #ff1e1e1e, #ff2a2a2a, #ff919190, #ffffffff, "
    "#ff919190, #ff2d2d2d, #ff323232, #19000000, #ff15539e, #ffffffff, #ff3584e4, #ff1b6acb, "
    "#ff2d2d2d, #ff000000, #b2262626, #ffffffff, #ff919190";
const char* const kAdwaitaDarkInactive =
    "#ff919190, #ff353535, #ff515151, #ff444444, #ff1e1e1e, #ff2a2a2a, #ff919190, #ffd6d6d6, "
    "#ff919190, #ff303030, #ff353535, #19000000, #ff15539e, #ffffffff, #ff3584e4, #ff1b6acb, "
    "#ff303030, #ff000000, #b2262626, #ffffffff, #ff919190";

// The colour schemes qt6ct ships (/usr/share/qt6ct/colors/darker.conf and dusk.conf).
const char* const kDarkerActive =
    "#ffffffff, #ff424245, #ff979797, #ff5e5c5b, #ff302f2e, #ff4a4947, #ffffffff, #ffffffff, "
    "#ffffffff, #ff3d3d3d, #ff222020, #ffe7e4e0, #ff12608a, #fff9f9f9, #ff0986d3, #ffa70b06, "
    "#ff5c5b5a, #ffffffff, #ff3f3f36, #ffffffff, #80ffffff";
const char* const kDarkerDisabled =
    "#ff808080, #ff424245, #ff979797, #ff5e5c5b, #ff302f2e, #ff4a4947, #ff808080, #ffffffff, "
    "#ff808080, #ff3d3d3d, #ff222020, #ffe7e4e0, #ff12608a, #ff808080, #ff0986d3, #ffa70b06, "
    "#ff5c5b5a, #ffffffff, #ff3f3f36, #ffffffff, #80ffffff";
const char* const kDuskActive =
    "#ff000000, #ff7f7f7f, #ffffffff, #ffcbc7c4, #ff7f7f7f, #ffb8b5b2, #ff000000, #ffffffff, "
    "#ff000000, #ff7f7f7f, #ff7f7f7f, #ff707070, #ff308cc6, #ffffffff, #ff0000ff, #ffff00ff, "
    "#ff7f7f7f, #ff000000, #ff7f7f7f, #ff000000, #80000000";
const char* const kDuskDisabled =
    "#ffbebebe, #ff7f7f7f, #ffffffff, #ffcbc7c4, #ff7f7f7f, #ffb8b5b2, #ffbebebe, #ffffffff, "
    "#ffbebebe, #ff7f7f7f, #ff7f7f7f, #ffb1aeab, #ff7f7f7f, #ffffffff, #ff0000ff, #ffff00ff, "
    "#ff7f7f7f, #ff000000, #ff7f7f7f, #ff000000, #80000000";

void SetGroup(QPalette& palette, QPalette::ColorGroup group, const char* colours)
{
    const QStringList names = QString::fromLatin1(colours).split(QStringLiteral(", "));
    for (int role = 0; role < names.size(); ++role)
        palette.setColor(group, QPalette::ColorRole(role), QColor(names[role]));
}

QPalette BlackPalette()
{
    QPalette palette(Qt::white, Qt::black, QColor(96, 96, 96), QColor(64, 64, 64),
                     QColor(80, 80, 80), Qt::white, Qt::white, Qt::black, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(100, 100, 100));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(100, 100, 100));
    return palette;
}

} // namespace

QPalette FusionPalette(bool dark)
{
    const QColor windowText = dark ? QColor(240, 240, 240) : QColor(Qt::black);
    const QColor background = dark ? QColor(50, 50, 50) : QColor(239, 239, 239);
    const QColor mid = background.darker(130);
    const QColor base = dark ? background.darker(140) : QColor(Qt::white);
    const QColor darkRole = background.darker(150);
    const QColor disabledText = dark ? QColor(130, 130, 130) : QColor(190, 190, 190);
    QColor placeholder = windowText;
    placeholder.setAlpha(128);
    QPalette palette(windowText, background, background.lighter(150), darkRole, mid, windowText,
                     base);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Button, background);
    palette.setColor(QPalette::Shadow, darkRole.darker(135));
    palette.setColor(QPalette::HighlightedText, dark ? windowText : QColor(Qt::white));
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::PlaceholderText, placeholder);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, background);
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setColor(QPalette::Disabled, QPalette::Shadow, darkRole.darker(135).lighter(150));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    return palette;
}

QPalette SchemePalette(const char* active, const char* disabled, const char* inactive)
{
    QPalette palette;
    SetGroup(palette, QPalette::Active, active);
    SetGroup(palette, QPalette::Disabled, disabled);
    SetGroup(palette, QPalette::Inactive, inactive);
    return palette;
}

std::vector<NamedPalette> DesktopPalettes()
{
    return {
        {"light", FusionPalette(false)},
        {"Fusion dark", FusionPalette(true)},
        {"Adwaita-Dark",
         SchemePalette(kAdwaitaDarkActive, kAdwaitaDarkDisabled, kAdwaitaDarkInactive)},
        {"qt6ct darker", SchemePalette(kDarkerActive, kDarkerDisabled, kDarkerActive)},
        {"qt6ct dusk", SchemePalette(kDuskActive, kDuskDisabled, kDuskActive)},
        {"black", BlackPalette()},
    };
}

} // namespace tallyra::test
