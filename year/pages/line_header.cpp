// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/line_header.h"

#include <QStyle>

namespace tallyra::year {

LineHeader::LineHeader(int lines, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
    , lines_(lines)
{
    setSectionsClickable(false);
}

QSize LineHeader::sizeHint() const
{
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    return {length(), lines_ * fontMetrics().lineSpacing() + 2 * margin + 2 * frameWidth() + 4};
}

} // namespace tallyra::year
