// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/app_identity.h"
#include "platform/file_test.h"
#include "platform/gui_application.h"
#include "platform/launcher.h"
#include "platform/message_boxes.h"
#include "platform/program_files.h"
#include "platform/registry.h"
#include "platform/settings_store.h"
#include "ui/interface_font.h"
#include "ui/translations.h"
#include "window/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const std::unique_ptr<QApplication> app = tallyra::StartGuiApplication(argc, argv, "tallyra");
    tallyra::InstallChineseTranslations(*app);
    // Lets a Wayland desktop match the window with the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral(TALLYRA_DESKTOP_FILE_NAME));
    QApplication::setApplicationName(tallyra::AppIdentity::title());
    tallyra::ApplyInterfaceFont();

    tallyra::QtMessageBoxes messageBoxes;
    tallyra::QtSettingsStore settings;
    tallyra::QtLauncher launcher;
    tallyra::QtProgramFiles programFiles;
    tallyra::QtFileTest fileTest;
    tallyra::SystemRegistry registry;
    // The About box's messages have no owner window, like the box itself.
    tallyra::QtMessageBoxes aboutMessages;
    tallyra::Form1 window(tallyra::FormServices{
        &messageBoxes, &settings, &launcher, &programFiles,
        tallyra::AboutServices{&aboutMessages, &registry, &fileTest, &launcher}});
    messageBoxes.setParent(&window);
    window.show();
    return QApplication::exec();
}
