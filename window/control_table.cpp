// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/control_table.h"

#include <array>

namespace tallyra {
namespace {

using C = FormControls;
using K = ControlKind;
constexpr unsigned kResult = kReadOnly | kBlueText;
constexpr unsigned kFundBox = kDisabled | kBlueText;
constexpr const char* kInputs = "Frame1";
constexpr const char* kFunds = "Frame3";
constexpr const char* kSalary = "Frame2";

// A contribution box is named with its column (个人 / 公司), which a sighted user reads above it;
// the tax caption is spread out to line up with its neighbours and is read as one word.
// clang-format off
constexpr std::array<ControlRow<FormControls>, 58> kControls = {{
    // name             kind                 caption           container left top   width height tab state     screen-reader name buddy      member
    {{"CmdAbout",       K::Button,           "关于",             nullptr, 2280, 0,    855,  375,  17, kHidden,   nullptr,        nullptr},     &Into<&C::CmdAbout>},
    {{"CmdCalSJ",       K::Button,           "计算三金",           nullptr, 3240, 0,    1335, 375,  16, kHidden,   nullptr,        nullptr},     &Into<&C::CmdCalSJ>},
    {{"frmae3",         K::GroupBox,         "交税基数",           nullptr, 120,  120,  5055, 615,  15, kNoState,  nullptr,        nullptr},     nullptr},
    {{"OptType(0)",     K::Option,           "上海(1000 单位：元) ", nullptr, 240,  360,  2055, 255,  3,  kChosen,   nullptr,        nullptr},     &IntoElement<&C::OptType, 0>},
    {{"OptType(1)",     K::Option,           "其他",             nullptr, 2520, 360,  855,  255,  14, kNoState,  nullptr,        nullptr},     &IntoElement<&C::OptType, 1>},
    {{"CmbJs",          K::EditableDropDown, "",               nullptr, 3360, 360,  1335, 300,  20, kNoState,  "其他交税基数",       nullptr},     &Into<&C::CmbJs>},
    {{"Frame1",         K::GroupBox,         "输入",             nullptr, 120,  840,  5055, 1455, 0,  kNoState,  nullptr,        nullptr},     nullptr},
    {{"CmdExe",         K::Button,           "计算",             nullptr, 1080, 2400, 855,  375,  2,  kNoState,  nullptr,        nullptr},     &Into<&C::CmdExe>},
    {{"CmdReset",       K::Button,           "重置",             nullptr, 2040, 2400, 855,  375,  4,  kNoState,  nullptr,        nullptr},     &Into<&C::CmdReset>},
    {{"CmdClose",       K::Button,           "关闭",             nullptr, 3000, 2400, 855,  375,  5,  kNoState,  nullptr,        nullptr},     &Into<&C::CmdClose>},
    {{"Frame3",         K::GroupBox,         "四金结果",           nullptr, 120,  2760, 5055, 2895, 25, kNoState,  nullptr,        nullptr},     nullptr},
    {{"Frame2",         K::GroupBox,         "薪资结果",           nullptr, 120,  5760, 5055, 1335, 9,  kNoState,  nullptr,        nullptr},     nullptr},

    {{"cmbIfSQ",        K::DropDownList,     "",               kInputs, 120,  345,  1215, 315,  21, kNoState,  "薪水类型（税前或税后）",  nullptr},     &Into<&C::cmbIfSQ>},
    {{"TxtSQ",          K::TextBox,          "",               kInputs, 1440, 360,  1095, 285,  23, kNoState,  nullptr,        nullptr},     &Into<&C::TxtSQ>},
    {{"Label3",         K::Label,            "补贴(可为负)",        kInputs, 2640, 420,  1335, 255,  10, kNoState,  nullptr,        nullptr},     nullptr},
    {{"TxtAdd",         K::TextBox,          "",               kInputs, 3720, 360,  1215, 285,  24, kNoState,  "补贴（可为负）",      "Label3"},    &Into<&C::TxtAdd>},
    {{"Label12",        K::Label,            "四金计算方式：",        kInputs, 120,  720,  1455, 255,  56, kNoState,  nullptr,        nullptr},     nullptr},
    {{"OptSjType(0)",   K::Option,           "按照税前",           kInputs, 1320, 720,  1095, 255,  1,  kChosen,   "四金计算方式：按照税前",  "Label12"},   &IntoElement<&C::OptSjType, 0>},
    {{"OptSjType(1)",   K::Option,           "按以下数字",          kInputs, 2400, 720,  1335, 255,  22, kNoState,  "四金计算方式：按以下数字", nullptr},     &IntoElement<&C::OptSjType, 1>},
    {{"TxtInputSJJS",   K::TextBox,          "1200",           kInputs, 3720, 720,  1215, 285,  49, kHidden,   "三金基数",         nullptr},     &Into<&C::TxtInputSJJS>},
    {{"chkSj(0)",       K::CheckBox,         "公积金",            kInputs, 120,  1080, 975,  255,  53, kTicked,   nullptr,        nullptr},     &IntoElement<&C::chkSj, 0>},
    {{"chkSj(1)",       K::CheckBox,         "养老保险",           kInputs, 1245, 1080, 1215, 255,  52, kTicked,   nullptr,        nullptr},     &IntoElement<&C::chkSj, 1>},
    {{"chkSj(2)",       K::CheckBox,         "医疗保险",           kInputs, 2595, 1080, 1335, 255,  51, kTicked,   nullptr,        nullptr},     &IntoElement<&C::chkSj, 2>},
    {{"chkSj(3)",       K::CheckBox,         "失业保险",           kInputs, 3840, 1080, 1095, 255,  50, kTicked,   nullptr,        nullptr},     &IntoElement<&C::chkSj, 3>},

    {{"Label10",        K::Label,            "个人部分：",          kFunds,  120,  360,  1455, 255,  54, kNoState,  nullptr,        nullptr},     nullptr},
    {{"Label11",        K::Label,            "公司部分：",          kFunds,  2760, 360,  1335, 255,  55, kNoState,  nullptr,        nullptr},     nullptr},
    {{"Label2(2)",      K::Label,            "公积金",            kFunds,  120,  600,  735,  255,  44, kDisabled, nullptr,        nullptr},     nullptr},
    {{"TxtGJJ",         K::TextBox,          "",               kFunds,  960,  600,  1335, 285,  33, kFundBox,  "个人公积金",        "Label2(2)"}, &Into<&C::TxtGJJ>},
    {{"Label2(9)",      K::Label,            "公积金",            kFunds,  2760, 600,  735,  255,  37, kDisabled, nullptr,        nullptr},     nullptr},
    {{"TxtGSGJJ",       K::TextBox,          "",               kFunds,  3600, 600,  1335, 285,  26, kFundBox,  "公司公积金",        "Label2(9)"}, &Into<&C::TxtGSGJJ>},
    {{"Label2(3)",      K::Label,            "养老保险",           kFunds,  120,  960,  735,  255,  43, kDisabled, nullptr,        nullptr},     nullptr},
    {{"TxtYLJ",         K::TextBox,          "",               kFunds,  960,  960,  1335, 285,  32, kFundBox,  "个人养老保险",       "Label2(3)"}, &Into<&C::TxtYLJ>},
    {{"Label2(8)",      K::Label,            "养老保险",           kFunds,  2760, 960,  735,  255,  38, kDisabled, nullptr,        nullptr},     nullptr},
    {{"TxtGSYLJ",       K::TextBox,          "",               kFunds,  3600, 960,  1335, 285,  27, kFundBox,  "公司养老保险",       "Label2(8)"}, &Into<&C::TxtGSYLJ>},
    {{"Label2(4)",      K::Label,            "医疗保险",           kFunds,  120,  1320, 735,  255,  42, kDisabled, nullptr,        nullptr},     nullptr},
    {{"TxtYLBX",        K::TextBox,          "",               kFunds,  960,  1320, 1335, 285,  31, kFundBox,  "个人医疗保险",       "Label2(4)"}, &Into<&C::TxtYLBX>},
    {{"Label2(7)",      K::Label,            "医疗保险",           kFunds,  2760, 1320, 735,  255,  39, kDisabled, nullptr,        nullptr},     nullptr},
    {{"TxtGSYLBX",      K::TextBox,          "",               kFunds,  3600, 1320, 1335, 285,  28, kFundBox,  "公司医疗保险",       "Label2(7)"}, &Into<&C::TxtGSYLBX>},
    {{"Label2(5)",      K::Label,            "失业保险",           kFunds,  120,  1680, 735,  255,  41, kDisabled, nullptr,        nullptr},     nullptr},
    {{"TxtSYBX",        K::TextBox,          "",               kFunds,  960,  1680, 1335, 285,  30, kFundBox,  "个人失业保险",       "Label2(5)"}, &Into<&C::TxtSYBX>},
    {{"Label2(6)",      K::Label,            "失业保险",           kFunds,  2760, 1680, 735,  255,  40, kDisabled, nullptr,        nullptr},     nullptr},
    {{"TxtGSSYBX",      K::TextBox,          "",               kFunds,  3600, 1680, 1335, 285,  29, kFundBox,  "公司失业保险",       "Label2(6)"}, &Into<&C::TxtGSSYBX>},
    {{"Line1",          K::DottedLine,       "",               kFunds,  0,    2040, 5040, 0,    -1, kNoState,  nullptr,        nullptr},     nullptr},
    {{"Label2(0)",      K::Label,            "个人总计",           kFunds,  120,  2160, 735,  255,  47, kNoState,  nullptr,        nullptr},     nullptr},
    {{"Txt3J",          K::TextBox,          "",               kFunds,  960,  2160, 1335, 285,  48, kResult,   "个人总计",         "Label2(0)"}, &Into<&C::Txt3J>},
    {{"Label1",         K::Label,            "公司总计",           kFunds,  2760, 2160, 735,  255,  46, kNoState,  nullptr,        nullptr},     nullptr},
    {{"TxtCmp3J",       K::TextBox,          "0",              kFunds,  3600, 2160, 1335, 285,  35, kResult,   "公司总计",         "Label1"},    &Into<&C::TxtCmp3J>},
    {{"Label6",         K::Label,            "总计",             kFunds,  480,  2520, 375,  255,  45, kNoState,  nullptr,        nullptr},     nullptr},
    {{"TxtTol3J",       K::TextBox,          "0",              kFunds,  960,  2520, 1335, 285,  34, kResult,   "四金总计",         "Label6"},    &Into<&C::TxtTol3J>},
    {{"ChkAlwaysCal3J", K::CheckBox,         "每次都重新计算四金",      kFunds,  2760, 2520, 1935, 255,  36, kTicked,   nullptr,        nullptr},     &Into<&C::ChkAlwaysCal3J>},

    {{"Label8",         K::Label,            "税前薪水",           kSalary, 120,  360,  735,  255,  13, kNoState,  nullptr,        nullptr},     nullptr},
    {{"TxtSQ2",         K::TextBox,          "",               kSalary, 960,  360,  1335, 285,  6,  kResult,   "税前薪水",         "Label8"},    &Into<&C::TxtSQ2>},
    {{"Label5",         K::Label,            "税后薪资",           kSalary, 2760, 360,  975,  255,  12, kNoState,  nullptr,        nullptr},     nullptr},
    {{"TxtSh",          K::TextBox,          "",               kSalary, 3600, 360,  1335, 285,  7,  kResult,   "税后薪资",         "Label5"},    &Into<&C::TxtSh>},
    {{"Label4",         K::Label,            "所 得 税",          kSalary, 120,  840,  735,  255,  11, kNoState,  "所得税",          nullptr},     nullptr},
    {{"TxtExe",         K::TextBox,          "",               kSalary, 960,  840,  1335, 285,  8,  kResult,   "所得税",          "Label4"},    &Into<&C::TxtExe>},
    {{"Label7",         K::Label,            "实际现金",           kSalary, 2760, 840,  735,  375,  19, kNoState,  nullptr,        nullptr},     nullptr},
    {{"txtSJXJ",        K::TextBox,          "",               kSalary, 3600, 840,  1335, 285,  18, kResult,   "实际现金",         "Label7"},    &Into<&C::txtSJXJ>},
}};
// clang-format on

} // namespace

std::span<const ControlRow<FormControls>> ControlTable()
{
    return kControls;
}

} // namespace tallyra
