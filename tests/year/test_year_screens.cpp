// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner on the screens people have: run once for each screen of tests/year/screens
// (a laptop's 1024 × 700, 1280 × 800 at 150 % or with a 12 pt font, 1600 × 1000 at 150 %), with
// the font given in TALLYRA_TEST_POINTS. The first window and a restored one fit the screen, and
// the table's column captions, the chart's month labels and the payslip chart's legend show
// whole.
#include "tests/year/year_driver.h"
#include "year/pages/gross_chart.h"
#include "year/pages/month_chart.h"
#include "year/pages/payslip_page.h"
#include "year/pages/year_table_model.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QChart>
#include <QTest>

using namespace tallyra;

namespace {

QRect Room(QWidget& window)
{
    return window.screen()->availableGeometry();
}

bool Fits(QWidget& window)
{
    const QRect room = Room(window);
    return window.frameGeometry().width() <= room.width() &&
           window.frameGeometry().height() <= room.height();
}

// The width of a header line as the header draws it, with the room the style leaves around it.
int HeaderLineWidth(QHeaderView* header, const QString& line)
{
    return header->fontMetrics().horizontalAdvance(line) +
           2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
}

} // namespace

class TestYearScreens : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const int points = qEnvironmentVariableIntValue("TALLYRA_TEST_POINTS")) {
            QFont font = QApplication::font();
            font.setPointSize(points);
            QApplication::setFont(font);
        }
    }

    void firstWindowFitsTheScreen()
    {
        test::YearDriver d;
        QVERIFY2(Fits(d.window()), qPrintable(QStringLiteral("%1×%2 on %3×%4")
                                                  .arg(d.window().frameGeometry().width())
                                                  .arg(d.window().frameGeometry().height())
                                                  .arg(Room(d.window()).width())
                                                  .arg(Room(d.window()).height())));
    }

    // A size kept from a larger screen is fitted to this one.
    void restoredWindowFitsTheScreen()
    {
        test::MemorySettingsStore store;
        {
            test::YearDriver before(store);
            before.window().resize(Room(before.window()).size() * 2);
        }
        test::YearDriver after(store);
        QVERIFY(Fits(after.window()));
    }

    void tableCaptionsAndChartLabelsShowWhole()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        QApplication::processEvents();
        auto* table = d.control<QTableView>(QStringLiteral("yearTable"));
        QHeaderView* header = table->horizontalHeader();
        int natural = 0;
        for (int c = 0; c < year::YearTableModel::ColumnCount; ++c) {
            const QString caption = d.window().model()->headerData(c, Qt::Horizontal).toString();
            for (const QString& line : caption.split(QLatin1Char('\n')))
                QVERIFY2(HeaderLineWidth(header, line) <= header->sectionSize(c), qPrintable(line));
            natural += header->sectionSize(c);
        }
        // From 1280 px at 9 pt the form and every column of the table fit side by side; on a
        // smaller screen or at a larger font the table scrolls to the rest.
        const bool roomForAll =
            Room(d.window()).width() >= 1280 && QApplication::font().pointSizeF() <= 9;
        if (roomForAll)
            QVERIFY2(
                natural <= table->viewport()->width(),
                qPrintable(QStringLiteral("%1 > %2").arg(natural).arg(table->viewport()->width())));
        else if (natural > table->viewport()->width())
            QVERIFY(table->horizontalScrollBar()->isVisible());

        if (natural > table->viewport()->width()) {
            QTRY_VERIFY(d.window().statusBar()->currentMessage().contains(QStringLiteral("F9")));
            QVERIFY(!d.control(QStringLiteral("summaryLabel"))->isVisible()); // room to read it
        }
        d.window().tabs()->setCurrentPage<year::MonthChart>();
        year::MonthChart* chart = d.window().tabs()->page<year::MonthChart>();
        // The chart is laid out to its view's size once shown.
        QTRY_VERIFY(chart->isVisible() &&
                    chart->chart()->size().toSize() == chart->viewport()->size());
        QApplication::processEvents();
        auto* months =
            qobject_cast<QBarCategoryAxis*>(chart->chart()->axes(Qt::Horizontal).constFirst());
        const QFontMetrics labels(months->labelsFont());
        const qreal perMonth = chart->chart()->plotArea().width() / 12;
        for (const QString& month : months->categories())
            QVERIFY2(labels.horizontalAdvance(month) <= perMonth, qPrintable(month));
    }

    // The payslip's chart names each slice with its amount, the longest too.
    void payslipChartLabelsShowWhole()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.window().tabs()->setCurrentPage<year::PayslipPage>();
        auto* chart = d.control<year::GrossChart>(QStringLiteral("grossChart"));
        QTRY_VERIFY(chart->isVisible() &&
                    chart->chart()->size().toSize() == chart->viewport()->size());
        QApplication::processEvents();
        QStringList shown;
        for (QGraphicsItem* item : chart->scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                shown << text->toPlainText();
        const QStringList labels = chart->sliceLabels();
        QVERIFY(labels.size() >= 5); // take-home, tax and the employee's items
        for (const QString& label : labels)
            QVERIFY2(shown.contains(label), qPrintable(label + QStringLiteral(" among ") +
                                                       shown.join(QStringLiteral(" | "))));
    }

    // With the form hidden (F9) every column of the table shows beside the others on each of
    // these screens; the keyboard stays in the window, and F9 brings the form back.
    void everyColumnShowsWithTheFormHidden()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        auto* wage = d.control(QStringLiteral("wageEdit"));
        wage->setFocus();
        QTRY_VERIFY(wage->hasFocus());
        auto* table = d.control<QTableView>(QStringLiteral("yearTable"));
        QTest::keyClick(&d.window(), Qt::Key_F9);
        QVERIFY(!d.control(QStringLiteral("inputScroll"))->isVisible());
        QVERIFY(!d.window().statusBar()->currentMessage().contains(QStringLiteral("F9")));
        QVERIFY(d.window().focusWidget() && d.window().focusWidget()->isVisible());
        QTRY_COMPARE(table->horizontalScrollBar()->maximum(), 0);
        int natural = 0;
        for (int c = 0; c < year::YearTableModel::ColumnCount; ++c)
            natural += table->horizontalHeader()->sectionSize(c);
        QVERIFY2(
            natural <= table->viewport()->width(),
            qPrintable(QStringLiteral("%1 > %2").arg(natural).arg(table->viewport()->width())));

        QTest::keyClick(&d.window(), Qt::Key_F9);
        QVERIFY(d.control(QStringLiteral("inputScroll"))->isVisible());
        QTRY_VERIFY(wage->hasFocus());
    }
};

QTEST_MAIN(TestYearScreens)
#include "test_year_screens.moc"
