// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHeaderView>

namespace tallyra::year {

// A horizontal header as high as a fixed number of text lines. Qt's own header measures every
// section's text, with the style, each time a column changes width; the year table's headers
// are at most two lines, so their height is known without that.
class LineHeader : public QHeaderView {
public:
    LineHeader(int lines, QWidget* parent);
    QSize sizeHint() const override;

private:
    int lines_;
};

} // namespace tallyra::year
