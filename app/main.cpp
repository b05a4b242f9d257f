#include "platform/app_identity.h"
#include "platform/file_test.h"
#include "platform/interface_font.h"
#include "platform/launcher.h"
#include "platform/qt_message_boxes.h"
#include "platform/registry.h"
#include "platform/settings_store.h"
#include "platform/translations.h"
#include "window/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tallyra::InstallChineseTranslations(app);
    // Lets a Wayland desktop match the window with the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral(TALLYRA_DESKTOP_FILE_NAME));
    QApplication::setApplicationName(tallyra::AppIdentity::title());
    tallyra::ApplyInterfaceFont();

    tallyra::QtMessageBoxes messageBoxes;
    tallyra::QtSettingsStore settings;
    tallyra::QtLauncher launcher;
    tallyra::QtFileTest fileTest;
    const std::unique_ptr<tallyra::RegistryReader> registry = tallyra::MakeSystemRegistry();
    // The About box's messages have no owner window, like the box itself.
    tallyra::QtMessageBoxes aboutMessages;
    tallyra::Form1 window(tallyra::FormServices{
        &messageBoxes, &settings, &launcher,
        tallyra::AboutServices{&aboutMessages, registry.get(), &fileTest, &launcher}});
    messageBoxes.setParent(&window);
    window.show();
    return QApplication::exec();
}
