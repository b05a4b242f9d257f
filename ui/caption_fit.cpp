// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/caption_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace tallyra {
namespace {

constexpr qreal kTightestSpacing = -2; // pixels between letters: closer reads as one blot
constexpr qreal kSpacingStep = 0.25;
constexpr int kGroupCaptionMargins = 14; // the painted group frame's gap is 7 pixels in

QString CaptionOf(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text().remove(QLatin1Char('&'));
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    return {};
}

// The spacing at which `caption` fits `room` in `font`: none when it fits as it is.
qreal SpacingToFit(QFont font, const QString& caption, int room)
{
    qreal spacing = 0;
    for (;;) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        if (QFontMetrics(font).horizontalAdvance(caption) <= room || spacing <= kTightestSpacing)
            return spacing;
        spacing -= kSpacingStep;
    }
}

// The width a control leaves for its caption under its style.
int CaptionRoom(QWidget* w)
{
    if (qobject_cast<QGroupBox*>(w))
        return w->width() - kGroupCaptionMargins;
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (!button)
        return w->contentsRect().width();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle::SubElement contents =
        qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
        : qobject_cast<QCheckBox*>(w)  ? QStyle::SE_CheckBoxContents
                                       : QStyle::SE_PushButtonContents;
    return w->style()->subElementRect(contents, &option, w).width();
}

void Fit(QWidget* control)
{
    const QString caption = CaptionOf(control);
    if (caption.isEmpty())
        return;
    QFont font = control->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0); // as the window's font has it
    const qreal spacing = SpacingToFit(font, caption, CaptionRoom(control));
    if (spacing == 0) {
        if (control->testAttribute(Qt::WA_SetFont))
            control->setFont(QFont()); // fits again: back to the window's font
        return;
    }
    QFont closer; // only the spacing is the control's own; the rest is the window's
    closer.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    control->setFont(closer);
}

class CaptionFitter final : public QObject {
public:
    explicit CaptionFitter(QWidget* window)
        : QObject(window)
        , window_(window)
    {
        fitAll();
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
            fitAll();
        return false;
    }

private:
    void fitAll()
    {
        if (fitting_)
            return;
        fitting_ = true;
        for (QWidget* control : window_->findChildren<QWidget*>())
            Fit(control);
        fitting_ = false;
    }

    QWidget* window_;
    bool fitting_ = false;
};

} // namespace

void KeepCaptionsWhole(QWidget* window)
{
    new CaptionFitter(window);
}

} // namespace tallyra
