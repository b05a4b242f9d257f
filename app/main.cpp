#include "platform/app_identity.h"
#include "platform/interface_font.h"
#include "platform/launcher.h"
#include "platform/qt_message_boxes.h"
#include "platform/settings_store.h"
#include "window/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(tallyra::AppIdentity::title());
    tallyra::ApplyInterfaceFont();

    tallyra::QtMessageBoxes messageBoxes;
    tallyra::QtSettingsStore settings;
    tallyra::QtLauncher launcher;
    tallyra::Form1 window(tallyra::FormServices{&messageBoxes, &settings, &launcher});
    messageBoxes.setParent(&window);
    window.show();
    return QApplication::exec();
}
