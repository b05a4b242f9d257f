// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner's real window on the real settings store (on Windows the registry,
// HKEY_CURRENT_USER\Software\Tallyra\YearPlanner), driven as a user does, printing what the user
// would have seen, one line each: check_year_registry.sh sets the registry up with Wine's reg.exe
// and reads it back independently.
//
//   year_probe save <name>   types the realistic year and saves it as the profile <name>
//   year_probe open <name>   starts the planner, opens the profile <name> and prints its inputs
//   year_probe start         starts the planner and prints what it restored and said
//   year_probe font          the faces the planner puts first, as its main() does
//   year_probe print         文件 → 打印's printer dialog, as the program opens it
#include "platform/settings_store.h"
#include "tests/support/recording_message_boxes.h"
#include "tests/year/year_driver.h"
#include "ui/interface_font.h"
#include "year/form/input_form.h"
#include "year/year_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>

#include <cstdio>

using namespace tallyra;

namespace {

void Print(const QString& line)
{
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

// The profiles offered, the inputs shown, and every message, hint and status line.
void PrintWindow(test::YearDriver& d)
{
    auto* box = d.control<QComboBox>(QStringLiteral("profileBox"));
    QStringList names;
    for (int i = 0; i < box->count(); ++i)
        names << box->itemText(i);
    Print(QStringLiteral("profiles: ") + names.join(QStringLiteral(" | ")));
    if (const auto& in = d.window().inputs()) {
        const auto money = [](law::Money m) { return QString::fromStdString(m.toString()); };
        Print(QStringLiteral("wage: ") + money(in->wage));
        Print(QStringLiteral("bonus: %1 in month %2")
                  .arg(money(in->plan.bonus))
                  .arg(in->plan.bonusMonth));
        Print(QStringLiteral("children: %1").arg(in->plan.special.childrenInEducation));
    } else {
        Print(
            QStringLiteral("inputs: none (%1)").arg(d.window().problems().join(QLatin1Char(';'))));
    }
    if (const QString hint = d.control<QLabel>(QStringLiteral("profileHint"))->text();
        d.control<QLabel>(QStringLiteral("profileHint"))->isVisibleTo(&d.window()) &&
        !hint.isEmpty())
        Print(QStringLiteral("hint: ") + hint);
    if (const QString status = d.window().statusBar()->currentMessage(); !status.isEmpty())
        Print(QStringLiteral("status: ") + status);
    for (const QString& text : d.messages().shown)
        Print(QStringLiteral("message: ") + text);
}

int SaveCommand(const QString& name)
{
    QtSettingsStore store;
    test::YearDriver d(store);
    d.enterRealisticYear();
    d.control<QComboBox>(QStringLiteral("profileBox"))->setEditText(name);
    d.control<QPushButton>(QStringLiteral("saveProfileButton"))->click();
    PrintWindow(d);
    return 0;
}

int OpenCommand(const QString& name)
{
    QtSettingsStore store;
    test::YearDriver d(store);
    auto* box = d.control<QComboBox>(QStringLiteral("profileBox"));
    const int index = box->findText(name);
    if (index < 0) {
        Print(QStringLiteral("no profile ") + name);
        return 1;
    }
    box->setCurrentIndex(index);
    emit box->activated(index); // as a user choosing it in the list
    PrintWindow(d);
    return 0;
}

int StartCommand()
{
    QtSettingsStore store;
    test::YearDriver d(store);
    PrintWindow(d);
    return 0;
}

int FontCommand()
{
    AddChineseFace();
    const QFont font = QApplication::font();
    Print(QStringLiteral("first face: ") + font.families().value(0));
    Print(QStringLiteral("matched: ") + QFontInfo(font).family());
    return 0;
}

int PrintCommand()
{
    test::RecordingMessageBoxes messages;
    year::QtYearDialogs dialogs(messages);
    QPrinter printer(QPrinter::HighResolution);
    Print(dialogs.choosePrinter(nullptr, printer) ? QStringLiteral("printer chosen")
                                                  : QStringLiteral("no printer chosen"));
    for (const QString& text : messages.shown)
        Print(QStringLiteral("message: ") + text);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString command = arguments.value(0);
    if (command == QLatin1String("save") && arguments.size() == 2)
        return SaveCommand(arguments.at(1));
    if (command == QLatin1String("open") && arguments.size() == 2)
        return OpenCommand(arguments.at(1));
    if (command == QLatin1String("start") && arguments.size() == 1)
        return StartCommand();
    if (command == QLatin1String("font") && arguments.size() == 1)
        return FontCommand();
    if (command == QLatin1String("print") && arguments.size() == 1)
        return PrintCommand();
    std::fputs("usage: year_probe save <name> | open <name> | start | font | print\n", stderr);
    return 2;
}
