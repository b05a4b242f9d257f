// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

#include <memory>

namespace tallyra {

// Creates the program's QApplication. When no graphical display can be opened (no DISPLAY or
// WAYLAND_DISPLAY, an X server that has gone, a platform plugin that cannot start), the program
// prints one line in Chinese and English on standard error, naming `program`, and ends with
// status 1, instead of Qt's abort with its advice to reinstall. What Qt says while starting is
// kept back and printed after a successful start, or dropped with the failure.
std::unique_ptr<QApplication> StartGuiApplication(int& argc, char** argv, const char* program);

} // namespace tallyra
