// SPDX-License-Identifier: GPL-3.0-or-later
// tallyra-year: the year planner for today's law.
#include "platform/app_identity.h"
#include "platform/gui_application.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "ui/interface_font.h"
#include "ui/translations.h"
#include "year/year_dialogs.h"
#include "year/year_icon.h"
#include "year/year_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const std::unique_ptr<QApplication> app =
        tallyra::StartGuiApplication(argc, argv, "tallyra-year");
    tallyra::InstallChineseTranslations(*app);
    // Lets a Wayland desktop match the window with the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral(TALLYRA_YEAR_DESKTOP_FILE_NAME));
    QApplication::setApplicationName(QStringLiteral("tallyra-year"));
    tallyra::AddChineseFace();
    QApplication::setWindowIcon(tallyra::year::YearIcon());

    tallyra::QtMessageBoxes messages;
    tallyra::QtSettingsStore settings;
    tallyra::year::QtYearDialogs dialogs(messages);
    tallyra::year::YearWindow window({&messages, &settings, &dialogs});
    messages.setParent(&window);
    window.show();
    return QApplication::exec();
}
