// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

namespace tallyra::year {

// The scroll area that holds the profile bar and the input form. It is always as wide as the
// form's widest row (which grows when a choice shows a second list), so it scrolls only up and
// down: to the box that takes the focus, however the focus got there, and with the mouse wheel
// anywhere over the form, boxes included until one is chosen.
class FormPane : public QScrollArea {
    Q_OBJECT

public:
    explicit FormPane(QWidget* content, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void fitWidth();
    void showFocused(QWidget* focus);
};

} // namespace tallyra::year
