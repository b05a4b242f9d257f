#include "platform/app_identity.h"
#include "platform/qt_message_boxes.h"
#include "window/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(tallyra::AppIdentity::title());

    tallyra::QtMessageBoxes messageBoxes;
    tallyra::Form1 window(tallyra::FormServices{&messageBoxes});
    messageBoxes.setParent(&window);
    window.show();
    return QApplication::exec();
}
