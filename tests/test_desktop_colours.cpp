// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' colours on every desktop palette, measured on their rendered pixels: result
// figures stay blue and readable, lines and frames visible, disabled captions disabled yet
// legible, and all of it follows a palette that changes while the window is open.
#include "tests/support/about_on_doubles.h"
#include "tests/support/form_driver.h"
#include "tests/support/palettes.h"
#include "tests/support/pixels.h"
#include "ui/interface_font.h"

#include <QApplication>
#include <QLabel>

#include <cmath>
#include <QTest>

using namespace tallyra;
using test::FormDriver;
using test::MeasuredContrast;

namespace {

constexpr double kTextContrast = 4.5; // WCAG 2 for text
constexpr double kLineContrast = 3.0; // WCAG 2 for what must be seen but is not text
const QColor kClassicBlue(0, 0, 255);
const QColor kClassicGrey(128, 128, 128);

const char* const kFigureBoxes[] = {"TxtGJJ",   "TxtYLJ",    "TxtYLBX",   "TxtSYBX", "TxtGSGJJ",
                                    "TxtGSYLJ", "TxtGSYLBX", "TxtGSSYBX", "Txt3J",   "TxtCmp3J",
                                    "TxtTol3J", "TxtSQ2",    "TxtExe",    "TxtSh",   "txtSJXJ"};
const char* const kFrames[] = {"frmae3", "Frame1", "Frame3", "Frame2"};
const char* const kDisabledCaptions[] = {"Label2(2)", "Label2(3)", "Label2(4)", "Label2(5)",
                                         "Label2(6)", "Label2(7)", "Label2(8)", "Label2(9)"};

QPalette PaletteNamed(const QString& name)
{
    for (const test::NamedPalette& p : test::DesktopPalettes()) {
        if (name == QLatin1String(p.name))
            return p.palette;
    }
    qFatal("no palette %s", qPrintable(name));
}

void AddPaletteColumn()
{
    QTest::addColumn<QString>("palette");
}

// Shown and active, as the window the user is working in: a palette's inactive colours are the
// theme's to dim.
void ShowActive(QWidget* window)
{
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// A calculation that fills every figure box: 12345 pre-tax, a subsidy of 150, all four funds.
void Calculate(FormDriver& d)
{
    d.setText(QStringLiteral("TxtSQ"), QStringLiteral("12345"));
    d.setText(QStringLiteral("TxtAdd"), QStringLiteral("150"));
    d.click(QStringLiteral("CmdExe"));
}

// The inside of a box, clear of its frame.
QRect Inside(QWidget* box)
{
    return box->rect().adjusted(3, 3, -3, -3);
}

double TextContrast(QWidget* control)
{
    return test::DrawnContrast(test::Grabbed(control), Inside(control));
}

double LabelContrast(QWidget* label)
{
    return test::DrawnContrast(test::Grabbed(label), label->rect());
}

// The frame's left edge against the inside of the box next to it.
double FrameContrast(QWidget* frame)
{
    const QImage image = test::Grabbed(frame);
    const int middle = frame->height() / 2;
    return MeasuredContrast(image.pixelColor(0, middle), image.pixelColor(4, middle));
}

// The separator's pixel row, with a row of the box's background above and below it, clear of
// the frame's edges.
QRect SeparatorRows(QWidget* line)
{
    return QRect(3, line->y() - 1, line->width() - 6, 3);
}

double SeparatorContrast(FormDriver& d)
{
    QWidget* line = d.control(QStringLiteral("Line1"));
    return test::DrawnContrast(test::Grabbed(line->parentWidget()), SeparatorRows(line));
}

QColor SeparatorColour(FormDriver& d)
{
    QWidget* line = d.control(QStringLiteral("Line1"));
    const QImage image = test::Grabbed(line->parentWidget());
    const QRect rows = SeparatorRows(line);
    return test::MostContrastingColour(image, rows, test::MostCommonColour(image, rows));
}

// Measured contrasts, each logged for the record, and those below what they must reach.
struct Shortfalls {
    QStringList failed;

    void check(const QString& what, double contrast, double minimum)
    {
        qInfo("%s, %s: %.2f:1", QTest::currentDataTag(), qPrintable(what), contrast);
        if (contrast < minimum)
            failed << QStringLiteral("%1 %2:1").arg(what).arg(contrast, 0, 'f', 2);
    }
};

} // namespace

class TestDesktopColours : public QObject {
    Q_OBJECT

    QPalette original_;

    void usePalette(const QString& name)
    {
        QApplication::setPalette(PaletteNamed(name));
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        ApplyInterfaceFont();
        original_ = QApplication::palette();
    }
    void init() { test::UseChineseLocale(); }
    void cleanup() { QApplication::setPalette(original_); }

    // Every figure the program worked out, on every palette, after a real calculation.
    void figuresStandOutFromTheirBox_data()
    {
        AddPaletteColumn();
        QTest::addColumn<QString>("box");
        for (const test::NamedPalette& p : test::DesktopPalettes()) {
            for (const char* box : kFigureBoxes)
                QTest::addRow("%s, %s", p.name, box)
                    << QString::fromLatin1(p.name) << QString::fromLatin1(box);
        }
    }
    void figuresStandOutFromTheirBox()
    {
        QFETCH(QString, palette);
        QFETCH(QString, box);
        usePalette(palette);
        FormDriver d;
        ShowActive(&d.form());
        Calculate(d);
        QWidget* figure = d.control(box);
        const double contrast = TextContrast(figure);
        qInfo("%s: %.2f:1", QTest::currentDataTag(), contrast);
        QVERIFY2(contrast >= kTextContrast, qPrintable(QString::number(contrast)));
        // Still blue: blue stronger than red and green, wherever the text is drawn.
        const QImage image = test::Grabbed(figure);
        const QColor text = test::MostContrastingColour(
            image, Inside(figure), test::MostCommonColour(image, Inside(figure)));
        QVERIFY2(text.blue() > text.red() && text.blue() > text.green(), qPrintable(text.name()));
        if (palette == QLatin1String("light"))
            QCOMPARE(figure->palette().color(QPalette::Text), kClassicBlue);
    }

    // Frames and the dotted separator are seen; the disabled row captions look disabled
    // beside the enabled ones and can still be read.
    void linesAndCaptions_data()
    {
        AddPaletteColumn();
        for (const test::NamedPalette& p : test::DesktopPalettes())
            QTest::newRow(p.name) << QString::fromLatin1(p.name);
    }
    void linesAndCaptions()
    {
        QFETCH(QString, palette);
        usePalette(palette);
        FormDriver d;
        ShowActive(&d.form());
        Calculate(d);
        Shortfalls shortfalls;
        for (const char* name : kFrames)
            shortfalls.check(QStringLiteral("frame %1").arg(QLatin1String(name)),
                             FrameContrast(d.control(name)), kLineContrast);
        shortfalls.check(QStringLiteral("dotted line"), SeparatorContrast(d), kLineContrast);
        const double enabled = LabelContrast(d.control(QStringLiteral("Label10")));
        for (const char* name : kDisabledCaptions) {
            const double contrast = LabelContrast(d.control(name));
            shortfalls.check(QLatin1String(name), contrast, kLineContrast);
            // visibly fainter than the enabled caption above them
            if (contrast > 0.8 * enabled)
                shortfalls.failed << QStringLiteral("%1 looks enabled").arg(QLatin1String(name));
        }
        QVERIFY2(shortfalls.failed.isEmpty(), qPrintable(shortfalls.failed.join(u"; ")));
        if (palette == QLatin1String("light"))
            QCOMPARE(SeparatorColour(d), kClassicGrey);
    }

    // The About box's texts and its etched separator.
    void aboutBox_data() { linesAndCaptions_data(); }
    void aboutBox()
    {
        QFETCH(QString, palette);
        usePalette(palette);
        test::AboutOnDoubles about;
        ShowActive(&about.box);
        Shortfalls shortfalls;
        for (QLabel* label : about.box.findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) // not the icon
                shortfalls.check(QStringLiteral("About ") + label->objectName(),
                                 LabelContrast(label), kTextContrast);
        }
        const QImage image = test::Grabbed(&about.box);
        shortfalls.check(QStringLiteral("About separator"),
                         MeasuredContrast(image.pixelColor(100, 104), image.pixelColor(100, 95)),
                         kLineContrast);
        QVERIFY2(shortfalls.failed.isEmpty(), qPrintable(shortfalls.failed.join(u"; ")));
    }

    // The dotted separator at every scale factor from 100 % to 300 %: its dots lie on whole
    // device pixels, one dot and a gap of two, each as wide as the line is thick.
    void dottedLineAtEveryScale_data()
    {
        QTest::addColumn<qreal>("scale");
        for (int quarters = 4; quarters <= 12; ++quarters)
            QTest::addRow("%d %%", quarters * 25) << quarters / 4.0;
    }
    void dottedLineAtEveryScale()
    {
        QFETCH(qreal, scale);
        FormDriver d;
        d.form().show();
        QWidget* line = d.control(QStringLiteral("Line1"));
        const QColor window = line->palette().color(QPalette::Window);
        // the whole window, so that the line lies where the menu bar and the frames put it
        const QImage image = test::RenderedAt(&d.form(), scale, window);
        const QPoint at = line->mapTo(&d.form(), QPoint(0, 0));
        // the device rows the line's one pixel covers, clear of the frame's edges
        const int top = int(at.y() * scale);
        const int bottom = int(std::ceil((at.y() + 1) * scale));
        const int left = int(std::ceil((at.x() + 3) * scale));
        const int right = int((at.x() + line->width() - 3) * scale);
        const int thickness = int(std::floor(scale));
        int dots = 0;
        int misshapen = 0; // dots of another width or height than the line's thickness
        int width = 0;
        for (int x = left; x <= right; ++x) {
            int height = 0;
            for (int y = top; x < right && y < bottom; ++y)
                height += MeasuredContrast(image.pixelColor(x, y), window) >= kLineContrast;
            if (height > 0) {
                misshapen += height != thickness;
                ++width;
                continue;
            }
            if (width > 0) {
                ++dots;
                misshapen += width != thickness;
            }
            width = 0;
        }
        const int expected = (right - left) / (3 * thickness);
        qInfo("%s: %d dots of %d device pixels, %d expected", QTest::currentDataTag(), dots,
              thickness, expected);
        QVERIFY(dots >= expected - 1 && dots <= expected + 1);
        QVERIFY(misshapen <= 1); // the last dot may be cut by the line's end
    }

    // A desktop that turns dark while the window is open, and light again.
    void paletteChangesWhileShown_data()
    {
        AddPaletteColumn();
        for (const test::NamedPalette& p : test::DesktopPalettes()) {
            if (QLatin1String(p.name) != QLatin1String("light"))
                QTest::newRow(p.name) << QString::fromLatin1(p.name);
        }
    }
    void paletteChangesWhileShown()
    {
        QFETCH(QString, palette);
        usePalette(QStringLiteral("light"));
        FormDriver d;
        ShowActive(&d.form());
        Calculate(d);
        usePalette(palette);
        for (const char* box : {"TxtSQ2", "TxtGJJ", "Txt3J"})
            QVERIFY2(TextContrast(d.control(box)) >= kTextContrast, box);
        QVERIFY(FrameContrast(d.control(QStringLiteral("Frame3"))) >= kLineContrast);
        QVERIFY(SeparatorContrast(d) >= kLineContrast);
        QVERIFY(LabelContrast(d.control(QStringLiteral("Label2(2)"))) >= kLineContrast);

        usePalette(QStringLiteral("light"));
        QCOMPARE(d.control(QStringLiteral("TxtSQ2"))->palette().color(QPalette::Text),
                 kClassicBlue);
        QCOMPARE(SeparatorColour(d), kClassicGrey);
    }
};

QTEST_MAIN(TestDesktopColours)
#include "test_desktop_colours.moc"
