// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

namespace tallyra {

// A group frame in the classic style: a thin rounded border in the palette's mid tone (made
// lighter or darker where it would not stand out 3:1 from the window), with the
// caption sitting on its top edge so that the controls placed near the top of the box stay clear
// of it. Painted directly rather than through a style sheet: a style sheet on a box hands every
// control inside it to the style-sheet style, which costs the window a good part of its start-up.
class GroupFrame : public QGroupBox {
public:
    GroupFrame(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tallyra
