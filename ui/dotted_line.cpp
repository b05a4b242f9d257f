#include "ui/dotted_line.h"

#include <QPainter>

namespace tallyra {

DottedLine::DottedLine(QColor color, QWidget* parent)
    : QWidget(parent)
    , color_(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DottedLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(color_, 1, Qt::DotLine));
    painter.drawLine(0, 0, width(), 0);
}

} // namespace tallyra
