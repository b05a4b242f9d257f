// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form1.h"

#include "platform/message_boxes.h"
#include "settings/settings_commands.h"
#include "ui/app_icon.h"
#include "ui/caption_fit.h"
#include "ui/fixed_font.h"
#include "ui/focus_visibility.h"
#include "ui/interface_font.h"
#include "ui/twips.h"
#include "window/accessibility.h"
#include "window/control_table.h"

#include <QKeyEvent>
#include <QLayout>

namespace tallyra {

Form1::Form1(FormServices services, QWidget* parent)
    : QMainWindow(parent)
    , services_(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("个人所得税计算器"));
    setWindowIcon(AppIcon());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
    setCentralWidget(client);
    BuiltForm<FormControls> controls = BuildControls(client);
    ui = controls.controls;
    tabOrder_ = std::move(controls.tabOrder);
    FollowDirectionForScreenReaders(ui);
    KeepFocusVisible(this);
    createMenus();
    KeepFont(this, InterfaceFont()); // a fixed layout, drawn for that font
    KeepCaptionsWhole(this);
    fixWindowSize();
    settings_ = std::make_unique<SettingsCommands>(
        *services_.settings, *services_.messages,
        SettingsControls{ui.OptType, ui.CmbJs, ui.TxtAdd, ui.OptSjType, ui.TxtInputSJJS});
    // Loading chooses the remembered options, and their handlers show and fill what goes with
    // them: the handlers are connected first.
    connectHandlers();
    Form_Load();
    focusFirstControl();
}

// An About box still open when the window itself goes (at program end, or in tests) goes too.
Form1::~Form1()
{
    delete aboutBox_;
}

// A fixed single border: the client area keeps its size below the menu bar, no maximizing.
void Form1::fixWindowSize()
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
}

void Form1::connectHandlers()
{
    connect(ui.CmdExe, &QPushButton::clicked, this, &Form1::CmdExe_Click);
    connect(ui.CmdReset, &QPushButton::clicked, this, &Form1::CmdReset_Click);
    connect(ui.CmdClose, &QPushButton::clicked, this, &Form1::CmdClose_Click);
    connect(ui.CmdCalSJ, &QPushButton::clicked, this, &Form1::CmdCalSJ_Click);
    connect(ui.CmdAbout, &QPushButton::clicked, this, &Form1::CmdAbout_Click);
    connectOptionGroup(ui.OptType, &Form1::OptType_Click);
    connectOptionGroup(ui.OptSjType, &Form1::OptSjType_Click);
    ui.TxtSQ->installEventFilter(this);
    ui.TxtAdd->installEventFilter(this);
}

// An option's handling runs when it becomes chosen, by the user or from code. Only the chosen
// option of a group takes part in the Tab chain, as in every option group on the desktop.
void Form1::connectOptionGroup(const std::array<QRadioButton*, 2>& group,
                               void (Form1::*handler)(int))
{
    for (int i = 0; i < 2; ++i) {
        QRadioButton* option = group[i];
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        connect(option, &QRadioButton::toggled, this, [this, option, handler, i](bool chosen) {
            option->setFocusPolicy(chosen ? Qt::StrongFocus : Qt::ClickFocus);
            if (chosen)
                (this->*handler)(i);
        });
    }
}

void Form1::Form_Load()
{
    for (QLineEdit* box :
         {ui.TxtSQ, ui.Txt3J, ui.TxtAdd, ui.TxtSQ2, ui.TxtExe, ui.TxtSh, ui.txtSJXJ})
        box->setText(QStringLiteral("0"));
    ui.OptType[0]->setChecked(true);
    ui.CmbJs->setVisible(false);
    ui.cmbIfSQ->insertItem(0, QStringLiteral("税前"));
    ui.cmbIfSQ->insertItem(1, QStringLiteral("税后"));
    ui.cmbIfSQ->setCurrentIndex(0);
    LoadSettings();
}

// Puts back what the settings hold. Choosing an option runs its handler, as a click does:
// OptType_Click shows the threshold list and fills it with the standard values, and
// OptSjType_Click shows the base box.
void Form1::LoadSettings()
{
    const RememberedInputs found = settings_->LoadSettings();
    if (found.taxBase) {
        ui.OptType[1]->setChecked(true);
        ui.CmbJs->setEditText(*found.taxBase);
    }
    if (found.subsidy)
        ui.TxtAdd->setText(*found.subsidy);
    if (found.fundsBase) {
        ui.OptSjType[1]->setChecked(true);
        ui.TxtInputSJJS->setText(*found.fundsBase);
    }
}

// The first control of the tab order that can take the focus gets it when the window opens.
void Form1::focusFirstControl()
{
    for (QWidget* control : tabOrder_) {
        if (control->isVisibleTo(this) && control->isEnabled() &&
            (control->focusPolicy() & Qt::TabFocus)) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void Form1::OptType_Click(int index)
{
    if (index == 0) {
        ui.CmbJs->setVisible(false);
        return;
    }
    ui.CmbJs->setVisible(true);
    if (ui.CmbJs->count() == 0) {
        const QString standardThresholds[] = {QStringLiteral("800"), QStringLiteral("1000"),
                                              QStringLiteral("1200"), QStringLiteral("1400")};
        const QString typed = ui.CmbJs->currentText(); // filling the list must not replace it
        for (int i = 0; i < 4; ++i)
            ui.CmbJs->insertItem(i, standardThresholds[i]);
        ui.CmbJs->setCurrentIndex(-1);
        ui.CmbJs->setEditText(typed);
    }
}

void Form1::CmdClose_Click()
{
    close();
}

void Form1::MC_quit_Click()
{
    close();
}

void Form1::M_SaveJS_Click()
{
    settings_->SaveTaxBase();
}

void Form1::M_Save3JJS_Click()
{
    settings_->SaveThreeFundsBase();
}

void Form1::M_SaveBT_Click()
{
    settings_->SaveSubsidy();
}

void Form1::M_SaveAll_Click()
{
    settings_->SaveAll();
}

void Form1::inform(const QString& text)
{
    services_.messages->inform(text);
}

} // namespace tallyra
