// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace tallyra {

// A box that shows a figure the program worked out: read-only or disabled. A figure wider than
// the box is read from its first digit whenever the box does not have the focus, so that it never
// reads as another number ("2.17470703125" for 7592.17470703125), and its whole text is the
// box's tooltip. Ctrl+C copies the whole figure when nothing is selected.
class FigureBox : public QLineEdit {
public:
    FigureBox(const QString& text, QWidget* parent);

    // Whether the whole text shows in the box at once.
    bool textFits() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refresh();
};

} // namespace tallyra
