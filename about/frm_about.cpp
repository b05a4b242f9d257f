// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/frm_about.h"

#include "about/about_messages.h"
#include "platform/app_identity.h"
#include "platform/file_test.h"
#include "platform/launcher.h"
#include "platform/message_boxes.h"
#include "platform/registry.h"
#include "ui/app_icon.h"
#include "ui/caption_fit.h"
#include "ui/fixed_font.h"
#include "ui/focus_visibility.h"
#include "ui/interface_font.h"
#include "ui/twips.h"

#include <QKeyEvent>

namespace tallyra {
namespace {

const QString kToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kToolValue = QStringLiteral("PATH");
const QString kToolFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kToolFolderValue = QStringLiteral("MSINFO");
const QString kToolFile = QStringLiteral("\\MSINFO32.EXE");

} // namespace

frmAbout::frmAbout(AboutServices services, QWidget* parent)
    : QDialog(parent)
    , services_(services)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kAboutClientWidthTwips / kTwipsPerPixel, kAboutClientHeightTwips / kTwipsPerPixel);
    setWindowIcon(AppIcon());

    ui = BuildAboutControls(this).controls;
    ui.cmdOK->setDefault(true);
    KeepFocusVisible(this);
    KeepFont(this, InterfaceFont()); // a fixed layout, drawn for that font
    KeepCaptionsWhole(this);
    connect(ui.cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(ui.cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("关于 ") + AppIdentity::title());
    ui.lblVersion->setText(QStringLiteral("版本 %1.%2.%3")
                               .arg(AppIdentity::major)
                               .arg(AppIdentity::minor)
                               .arg(AppIdentity::revision));
    ui.lblTitle->setText(AppIdentity::title());
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

// Esc presses OK, as Enter does while no other button has the focus.
void frmAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ui.cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::StartSysInfo()
{
    if (!launchSysInfo())
        services_.messages->inform(about_messages::SysInfoUnavailable());
}

// The tool's full path is stored under its own key; failing that, its folder is. False when
// neither is there, the folder lacks the tool, or the tool did not start.
bool frmAbout::launchSysInfo()
{
    QString path;
    if (!GetKeyValue(kHkeyLocalMachine, kToolKey, kToolValue, path)) {
        if (!GetKeyValue(kHkeyLocalMachine, kToolFolderKey, kToolFolderValue, path))
            return false;
        path += kToolFile; // the tool lies directly inside the folder
        if (!services_.files->isPlainFile(path))
            return false;
    }
    // The path is the whole command line: no arguments, and the box does not wait.
    return services_.launcher->startDetached(path, {}, FirstWindow::Normal);
}

bool frmAbout::GetKeyValue(quint32 root, const QString& keyPath, const QString& valueName,
                           QString& text)
{
    const std::optional<RegistryValue> value = services_.registry->query(root, keyPath, valueName);
    if (!value || value->data.size() > kRegistryBufferBytes) {
        text.clear();
        return false;
    }
    switch (value->type) {
    case kRegSz:
        text = RegistryText(value->data);
        break;
    case kRegDword:
        text = QString::number(RegistryDword(value->data));
        break;
    default: // found, but of a type the box has no use for
        break;
    }
    return true;
}

} // namespace tallyra
