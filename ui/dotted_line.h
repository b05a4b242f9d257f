#pragma once

#include <QColor>
#include <QWidget>

namespace tallyra {

// A one-pixel horizontal dotted line, the separator above the fund totals.
class DottedLine : public QWidget {
public:
    DottedLine(QColor color, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};

} // namespace tallyra
