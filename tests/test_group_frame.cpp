// SPDX-License-Identifier: GPL-3.0-or-later
// The group frame's painting: its rounded corners come out pixel for pixel as in the stored
// image, whose four corners were checked by eye at 16x magnification.
#include "ui/group_frame.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTest>

using namespace tallyra;

namespace {

const QString kStored = QStringLiteral(TALLYRA_TEST_DATA "/group_frame.png");

// A frame without a caption (the caption's text would depend on the fonts installed) in fixed
// colours, 20 by 20 pixels: its four corners and the gap left for a caption.
QImage RenderedFrame()
{
    GroupFrame frame(QString(), nullptr);
    QPalette palette = frame.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Mid, QColor(64, 64, 64));
    frame.setPalette(palette);
    frame.resize(20, 20);
    QImage image(frame.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    frame.render(&image);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestGroupFrame : public QObject {
    Q_OBJECT

private slots:
    void cornersMatchTheStoredImage()
    {
        const QImage rendered = RenderedFrame();
        const QImage stored = QImage(kStored).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!stored.isNull(), qPrintable(kStored));
        if (rendered != stored) {
            const QString actual = QDir::temp().filePath(QStringLiteral("group_frame-actual.png"));
            rendered.save(actual);
            QFAIL(qPrintable(QStringLiteral("the frame differs from %1; it was saved as %2")
                                 .arg(kStored, actual)));
        }
    }
};

QTEST_MAIN(TestGroupFrame)
#include "test_group_frame.moc"
