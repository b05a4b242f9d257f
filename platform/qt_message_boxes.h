#pragma once

#include "platform/message_boxes.h"

#include <QPointer>
#include <QWidget>

namespace tallyra {

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr)
        : parent_(parent)
    {
    }
    void setParent(QWidget* parent) { parent_ = parent; }

    void inform(const QString& text) override;
    bool askYesNo(const QString& text) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace tallyra
