// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui_application.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace tallyra {
namespace {

// A message Qt gave while starting, with where it came from (the file, function and category
// names Qt hands over are static).
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

std::mutex heldMutex;
std::vector<HeldMessage> held;
const char* startingProgram = "";

// Qt's failure to open a display is a fatal message, after which Qt aborts: the program ends
// here instead, with its own message.
void HoldWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr,
                     "%s：无法打开图形显示，程序无法启动 / %s: no graphical display could be "
                     "opened, cannot start\n",
                     startingProgram, startingProgram);
        std::fflush(stderr);
        std::_Exit(1);
    }
    const std::lock_guard lock(heldMutex);
    held.push_back({type, context.file, context.line, context.function, context.category, text});
}

} // namespace

std::unique_ptr<QApplication> StartGuiApplication(int& argc, char** argv, const char* program)
{
    startingProgram = program;
    const QtMessageHandler previous = qInstallMessageHandler(HoldWhileStarting);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    const std::lock_guard lock(heldMutex);
    for (const HeldMessage& m : held)
        qt_message_output(m.type, QMessageLogContext(m.file, m.line, m.function, m.category),
                          m.text);
    held.clear();
    return app;
}

} // namespace tallyra
