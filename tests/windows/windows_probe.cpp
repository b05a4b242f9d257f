// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one of the calculator's Windows-facing commands on the real platform services (the
// registry, the settings store in the registry, program start, the file test) and prints what
// the user would have seen, one line each, so that the scripts beside it can set the machine up
// with Wine's reg.exe and check the outcome from outside.
//
//   windows_probe save <threshold> <subsidy> <base>   types the three values and runs Save All
//   windows_probe restore                             starts a window and prints what it restored
//   windows_probe sysinfo                             About -> 系统信息; a program it asks the
//                                                     launcher to start is printed first, as
//                                                     "launched: <program>"
//   windows_probe readme                              Help -> Readme
//   windows_probe font                                the interface font chosen
//   windows_probe start <normal|maximized> <file>     starts itself as `show-command <file>`
//   windows_probe show-command <file>                 writes to <file> how it was told to show
//                                                     its first window: a SW_ number, or "none"
#include "about/frm_about.h"
#include "platform/file_test.h"
#include "platform/launcher.h"
#include "platform/program_files.h"
#include "platform/registry.h"
#include "platform/settings_store.h"
#include "tests/support/form_driver.h"
#include "tests/support/recording_message_boxes.h"
#include "ui/interface_font.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QRadioButton>

#include <QFile>

#include <cstdio>
#include <windows.h>

using namespace tallyra;

namespace {

void Print(const QString& line)
{
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

void PrintMessages(const test::RecordingMessageBoxes& messages)
{
    for (const QString& text : messages.shown)
        Print(QStringLiteral("message: ") + text);
}

int SaveCommand(const QStringList& values)
{
    QtSettingsStore store; // the real one: HKEY_CURRENT_USER\Software\Tallyra
    test::FormDriver d(store);
    d.control<QRadioButton>(QStringLiteral("OptType(1)"))->click();
    d.control<QRadioButton>(QStringLiteral("OptSjType(1)"))->click();
    d.setText(QStringLiteral("CmbJs"), values.at(0));
    d.setText(QStringLiteral("TxtAdd"), values.at(1));
    d.setText(QStringLiteral("TxtInputSJJS"), values.at(2));
    d.triggerMenu(QStringLiteral("M_SaveAll"));
    PrintMessages(d.messages());
    return 0;
}

int RestoreCommand()
{
    QtSettingsStore store;
    test::FormDriver d(store);
    const auto chosen = [&](const char* name) {
        return d.control<QRadioButton>(QString::fromLatin1(name))->isChecked() ? "chosen"
                                                                               : "not chosen";
    };
    Print(QStringLiteral("OptType(1): %1").arg(QLatin1String(chosen("OptType(1)"))));
    Print(QStringLiteral("CmbJs: [%1]").arg(d.text(QStringLiteral("CmbJs"))));
    Print(QStringLiteral("TxtAdd: [%1]").arg(d.text(QStringLiteral("TxtAdd"))));
    Print(QStringLiteral("OptSjType(1): %1").arg(QLatin1String(chosen("OptSjType(1)"))));
    Print(QStringLiteral("TxtInputSJJS: [%1]").arg(d.text(QStringLiteral("TxtInputSJJS"))));
    PrintMessages(d.messages());
    return 0;
}

// The real launcher, saying what it was asked to start: "nothing started" is then known when the
// command returns, without waiting to see whether a process turns up.
class TellingLauncher final : public Launcher {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       FirstWindow window) override
    {
        Print(QStringLiteral("launched: ") + program);
        return launcher_.startDetached(program, arguments, window);
    }
    bool openDocument(const QString& path) override
    {
        Print(QStringLiteral("opened: ") + path);
        return launcher_.openDocument(path);
    }

private:
    QtLauncher launcher_;
};

int SysinfoCommand()
{
    test::RecordingMessageBoxes messages;
    SystemRegistry registry;
    QtFileTest files;
    TellingLauncher launcher;
    frmAbout box(AboutServices{&messages, &registry, &files, &launcher});
    box.StartSysInfo();
    PrintMessages(messages);
    return 0;
}

int ReadmeCommand()
{
    test::RecordingMessageBoxes messages;
    test::MemorySettingsStore store;
    QtLauncher launcher;
    QtProgramFiles programFiles;
    Form1 window(FormServices{&messages, &store, &launcher, &programFiles, AboutServices{}});
    window.findChild<QAction*>(QStringLiteral("MC_readme"))->trigger();
    PrintMessages(messages);
    return 0;
}

int FontCommand()
{
    ApplyInterfaceFont();
    const QFont font = QApplication::font();
    Print(QStringLiteral("family: ") + font.family());
    Print(QStringLiteral("matched: ") + QFontInfo(font).family());
    Print(QStringLiteral("pixel size: %1").arg(font.pixelSize()));
    return 0;
}

// The real launcher starting this program again, to learn what the started program receives.
int StartCommand(const QString& shown, const QString& file)
{
    const FirstWindow window =
        shown == QLatin1String("maximized") ? FirstWindow::Maximized : FirstWindow::Normal;
    QtLauncher launcher;
    const bool started = launcher.startDetached(QCoreApplication::applicationFilePath(),
                                                {QStringLiteral("show-command"), file}, window);
    Print(started ? QStringLiteral("started") : QStringLiteral("not started"));
    return 0;
}

int ShowCommand(const QString& file)
{
    STARTUPINFOW info{};
    info.cb = sizeof info;
    GetStartupInfoW(&info);
    const QByteArray command = (info.dwFlags & STARTF_USESHOWWINDOW)
                                   ? QByteArray::number(info.wShowWindow)
                                   : QByteArrayLiteral("none");
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(command) == command.size() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString command = arguments.value(0);
    if (command == QLatin1String("save") && arguments.size() == 4)
        return SaveCommand(arguments.mid(1));
    if (command == QLatin1String("restore"))
        return RestoreCommand();
    if (command == QLatin1String("sysinfo"))
        return SysinfoCommand();
    if (command == QLatin1String("readme"))
        return ReadmeCommand();
    if (command == QLatin1String("font"))
        return FontCommand();
    if (command == QLatin1String("start") && arguments.size() == 3)
        return StartCommand(arguments.at(1), arguments.at(2));
    if (command == QLatin1String("show-command") && arguments.size() == 2)
        return ShowCommand(arguments.at(1));
    std::fputs("usage: windows_probe save <threshold> <subsidy> <base> | restore | sysinfo | "
               "readme | font | start <normal|maximized> <file> | show-command <file>\n",
               stderr);
    return 2;
}
