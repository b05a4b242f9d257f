// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fixed_font.h"

#include <QEvent>
#include <QMenu>
#include <QWidget>

namespace tallyra {
namespace {

class FontKeeper final : public QObject {
public:
    FontKeeper(QWidget* window, const QFont& font)
        : QObject(window)
        , window_(window)
        , font_(font)
    {
        // Every property counts as set, so that none is taken from the application's font.
        font_.setResolveMask(QFont::AllPropertiesResolved);
        // Menus are windows of their own: they take their font from this window instead.
        for (QMenu* menu : window->findChildren<QMenu*>())
            menu->setAttribute(Qt::WA_WindowPropagation);
        apply();
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange)
            apply();
        return false;
    }

private:
    void apply()
    {
        const QFont current = window_->font();
        if (current == font_ && current.resolveMask() == font_.resolveMask())
            return;
        window_->setFont(font_);
    }

    QWidget* window_;
    QFont font_;
};

} // namespace

void KeepFont(QWidget* window, const QFont& font)
{
    new FontKeeper(window, font);
}

} // namespace tallyra
