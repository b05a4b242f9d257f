// SPDX-License-Identifier: GPL-3.0-or-later
// Enter starts a calculation from the salary box, the subsidy box, or the window itself.
#include "window/form1.h"

#include <QKeyEvent>
#include <QPushButton>

namespace tallyra {
namespace {

// Return and the keypad's Enter both count as Enter, whatever the shift state.
bool IsEnter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

void Form1::TxtSQ_KeyDown()
{
    Calculate();
}

void Form1::TxtAdd_KeyDown()
{
    Calculate();
}

void Form1::Form_KeyDown()
{
    Calculate();
}

// Enter in the salary or subsidy box is taken here and not passed on: a line edit ignores
// Return, and Qt would otherwise hand it to the window as well, computing twice.
bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == ui.TxtSQ || watched == ui.TxtAdd)) {
        if (IsEnter(static_cast<QKeyEvent*>(event))) {
            if (watched == ui.TxtSQ)
                TxtSQ_KeyDown();
            else
                TxtAdd_KeyDown();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// The window's own key handling sees Enter only while no control of it has the focus; Enter
// passed up from another control (a read-only result box, say) computes nothing.
void Form1::keyPressEvent(QKeyEvent* event)
{
    QWidget* focused = focusWidget();
    const bool windowItself = !focused || focused == this || focused == centralWidget();
    if (IsEnter(event) && windowItself) {
        Form_KeyDown();
        event->accept();
        return;
    }
    // As on every desktop, Enter presses the button that has the focus.
    if (auto* button = qobject_cast<QPushButton*>(focused);
        button && IsEnter(event) && event->modifiers() == Qt::NoModifier) {
        button->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace tallyra
