// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/about_controls.h"

#include <array>

namespace tallyra {
namespace {

using C = AboutControls;
using K = ControlKind;
constexpr unsigned kText = kCentredText;
constexpr unsigned kBlack = kCentredText | kBlackText;

// Every control of the About box, in stacking order (later ones lie on top). The title and the
// version are written when the box loads. The two lines make an etched separator: the white one,
// two pixels thick, lies under the grey one, so a grey pixel row shows above a white one; both
// run past the right edge.
// clang-format off
constexpr std::array<ControlRow<AboutControls>, 11> kControls = {{
    // name            kind            caption                                container left  top   width height tab state       reader   buddy    member
    {{"picIcon",        K::ProgramIcon, "",                                    nullptr, 240,  240,  540,  540,  1,  kNoState,    nullptr, nullptr}, nullptr},
    {{"lblTitle",       K::Label,       "",                                    nullptr, 1080, 240,  3285, 255,  5,  kBlack,      nullptr, nullptr}, &Into<&C::lblTitle>},
    {{"lblVersion",     K::Label,       "",                                    nullptr, 1080, 540,  3405, 255,  7,  kText,       nullptr, nullptr}, &Into<&C::lblVersion>},
    {{"lblDescription", K::Label,       "有关税率计算，工资计算！",            nullptr, 1080, 840,  2775, 255,  6,  kBlack,      nullptr, nullptr}, nullptr},
    {{"Line1(0)",       K::SolidLine,   "",                                    nullptr, 240,  1560, 5549, 30,   -1, kLightLine,  nullptr, nullptr}, nullptr},
    {{"Line1(1)",       K::SolidLine,   "",                                    nullptr, 0,    1560, 5564, 15,   -1, kNoState,    nullptr, nullptr}, nullptr},
    {{"lblDisclaimer",  K::Label,       "Tallyra 项目 · 开源个人所得税计算器", nullptr, 135,  1800, 3630, 300,  3,  kBlack,      nullptr, nullptr}, nullptr},
    {{"Label1",         K::Label,       "问题反馈：Tallyra 项目的问题跟踪页",  nullptr, 120,  2040, 3135, 255,  4,  kText,       nullptr, nullptr}, nullptr},
    {{"Label2",         K::Label,       "交流：欢迎在项目问题跟踪页讨论",      nullptr, 120,  2280, 3135, 255,  8,  kText,       nullptr, nullptr}, nullptr},
    {{"cmdOK",          K::Button,      "确定",                                nullptr, 3360, 1680, 1575, 375,  0,  kNoState,    nullptr, nullptr}, &Into<&C::cmdOK>},
    {{"cmdSysInfo",     K::Button,      "系统信息(&S)...",                     nullptr, 3360, 2160, 1575, 375,  2,  kNoState,    nullptr, nullptr}, &Into<&C::cmdSysInfo>},
}};
// clang-format on

} // namespace

BuiltForm<AboutControls> BuildAboutControls(QWidget* box)
{
    return BuildForm("frmAbout", box, std::span<const ControlRow<AboutControls>>(kControls));
}

} // namespace tallyra
