// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wheel_guard.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace tallyra {
namespace {

class WheelGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    // The wheel over a box not chosen goes to the scroll area around it, as over the boxes'
    // captions.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        auto* box = static_cast<QWidget*>(watched);
        if (box->hasFocus())
            return false;
        if (QAbstractScrollArea* area = ScrollAreaAround(box))
            QCoreApplication::sendEvent(area->viewport(), event);
        else
            event->ignore();
        return true;
    }

private:
    static QAbstractScrollArea* ScrollAreaAround(QWidget* box)
    {
        for (QWidget* w = box->parentWidget(); w; w = w->parentWidget())
            if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
                return area;
        return nullptr;
    }
};

} // namespace

void TakeWheelOnlyWithFocus(QWidget* container)
{
    auto* guard = new WheelGuard(container);
    QList<QWidget*> boxes;
    for (QAbstractSpinBox* spin : container->findChildren<QAbstractSpinBox*>())
        boxes << spin;
    for (QComboBox* box : container->findChildren<QComboBox*>())
        boxes << box;
    for (QWidget* box : boxes) {
        // Qt's "wheel focus" would hand the focus to a box the wheel merely passes over.
        if (box->focusPolicy() == Qt::WheelFocus)
            box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(guard);
    }
}

} // namespace tallyra
