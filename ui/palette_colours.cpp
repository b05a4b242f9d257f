// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/palette_colours.h"

#include "ui/contrast.h"

#include <QEvent>
#include <QWidget>

#include <vector>

namespace tallyra {
namespace {

class ColourKeeper final : public QObject {
public:
    ColourKeeper(QWidget* widget, QPalette::ColorRole role, const ColourRule& rule,
                 std::initializer_list<QPalette::ColorGroup> groups)
        : QObject(widget)
        , widget_(widget)
        , role_(role)
        , rule_(rule)
        , groups_(groups)
    {
        apply();
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::PaletteChange:
        case QEvent::ApplicationPaletteChange:
        case QEvent::StyleChange:
            apply();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Works from the palette the widget inherits: first its own setting goes, then the
    // colours are worked out again. Setting the palette sends change events of its own.
    void apply()
    {
        if (applying_)
            return;
        applying_ = true;
        widget_->setPalette(QPalette());
        QPalette palette = widget_->palette();
        for (QPalette::ColorGroup group : groups_)
            palette.setColor(group, role_, ColourFor(palette, group, rule_));
        widget_->setPalette(palette);
        applying_ = false;
    }

    QWidget* widget_;
    QPalette::ColorRole role_;
    ColourRule rule_;
    std::vector<QPalette::ColorGroup> groups_;
    bool applying_ = false;
};

} // namespace

QColor ColourFor(const QPalette& palette, QPalette::ColorGroup group, const ColourRule& rule)
{
    const bool classic =
        rule.classic.isValid() && (rule.classicOnEveryPalette || IsLightPalette(palette, group));
    const QColor preferred = classic ? rule.classic : palette.color(group, rule.paletteRole);
    return WithContrast(preferred, palette.color(group, rule.background), rule.minimum);
}

void KeepColour(QWidget* widget, QPalette::ColorRole role, const ColourRule& rule,
                std::initializer_list<QPalette::ColorGroup> groups)
{
    new ColourKeeper(widget, role, rule, groups);
}

} // namespace tallyra
