// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/focus_visibility.h"

#include <QEvent>
#include <QWidget>

namespace tallyra {
namespace {

class FocusVisibility final : public QObject {
public:
    explicit FocusVisibility(QWidget* window)
        : QObject(window)
        , window_(window)
    {
        window_->setAttribute(Qt::WA_KeyboardFocusChange);
    }

protected:
    // Qt clears the window's "keyboard focus change" mark as the window becomes active; it is
    // set again once that is done.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::ActivationChange)
            window_->setAttribute(Qt::WA_KeyboardFocusChange);
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

void KeepFocusVisible(QWidget* window)
{
    window->installEventFilter(new FocusVisibility(window));
}

} // namespace tallyra
