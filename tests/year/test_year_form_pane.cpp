// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner's form pane and table as a mouse and keyboard user meets them: the wheel
// scrolls the long form instead of changing the box under the pointer, the pane is as wide as
// its widest row, Tab never scrolls it sideways, the table shows its current cell, and a long
// message does not widen the window.
#include "law/deductions.h"
#include "tests/year/year_driver.h"
#include "year/pages/year_table_model.h"
#include "year/pages/year_table_page.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QWheelEvent>

using namespace tallyra;

namespace {

// One notch of the wheel turned towards the user (down the page) over `target`'s middle, as the
// window system hands it over.
void WheelDown(QWidget* target)
{
    const QPointF middle = QRectF(target->rect()).center();
    QWheelEvent notch(middle, target->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&notch);
    QApplication::sendEvent(target, &notch);
}

// The value a user sees in a spin box or list box.
int ValueOf(QWidget* control)
{
    if (auto* spin = qobject_cast<QSpinBox*>(control))
        return spin->value();
    return qobject_cast<QComboBox*>(control)->currentIndex();
}

QScrollArea* Pane(test::YearDriver& d)
{
    return d.control<QScrollArea>(QStringLiteral("inputScroll"));
}

// A window of the size of a small laptop's screen, laid out.
void SmallWindow(test::YearDriver& d)
{
    d.window().resize(1024, 700);
    QApplication::processEvents();
}

} // namespace

class TestYearFormPane : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QApplication::setFont(QFont()); }

    void wheelScrollsTheFormOverAnUnfocusedBox_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("spin box") << QStringLiteral("childrenSpin");
        QTest::newRow("list box") << QStringLiteral("elderlyBox");
    }
    void wheelScrollsTheFormOverAnUnfocusedBox()
    {
        QFETCH(QString, name);
        test::YearDriver d;
        SmallWindow(d);
        d.setCount(QStringLiteral("childrenSpin"), 1);
        d.choose(QStringLiteral("elderlyBox"), 1);
        QWidget* box = d.control(name);
        QScrollBar* bar = Pane(d)->verticalScrollBar();
        QVERIFY(bar->maximum() > 0); // the form is longer than its pane
        bar->setValue(0);
        d.control(QStringLiteral("wageEdit"))->setFocus();
        const int before = ValueOf(box);

        WheelDown(box);
        QCOMPARE(ValueOf(box), before);
        QVERIFY(bar->value() > 0);

        // Once the user has chosen the box, the wheel is the box's.
        box->setFocus(Qt::MouseFocusReason);
        WheelDown(box);
        QVERIFY(ValueOf(box) != before);
    }

    // With the second list of 住房租金 the form's widest row grows; the pane grows with it.
    void paneShowsTheWidestRowWhole()
    {
        test::YearDriver d;
        SmallWindow(d);
        d.choose(QStringLiteral("housingBox"), int(law::Housing::Rent));
        d.choose(QStringLiteral("rentTierBox"), 3);
        QApplication::processEvents();
        QWidget* viewport = Pane(d)->viewport();
        for (QWidget* w : Pane(d)->widget()->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&d.window()) || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            auto* label = qobject_cast<QLabel*>(w);
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                                 qobject_cast<QGroupBox*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 (label && !label->wordWrap());
            if (!control || qobject_cast<QComboBox*>(w->parentWidget()) ||
                qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
                continue;
            const QString what =
                w->objectName() + QLatin1Char(' ') + (label ? label->text() : w->accessibleName());
            const int right = w->mapTo(viewport, QPoint(w->width(), 0)).x();
            QVERIFY2(right <= viewport->width(), qPrintable(what));
            if (!qobject_cast<QGroupBox*>(w) && !qobject_cast<QLineEdit*>(w))
                QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(what));
        }
        QCOMPARE(Pane(d)->horizontalScrollBar()->maximum(), 0);
    }

    // Tab through the form: it scrolls down to each box and never sideways.
    void tabScrollsTheFormDownOnly_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("housing");
        QTest::newRow("9 pt") << 9 << int(law::Housing::None);
        QTest::newRow("9 pt, rent") << 9 << int(law::Housing::Rent);
        QTest::newRow("12 pt, rent") << 12 << int(law::Housing::Rent);
    }
    void tabScrollsTheFormDownOnly()
    {
        QFETCH(int, points);
        QFETCH(int, housing);
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
        test::YearDriver d;
        SmallWindow(d);
        d.choose(QStringLiteral("housingBox"), housing);
        QApplication::processEvents();
        QWidget* content = Pane(d)->widget();
        QWidget* viewport = Pane(d)->viewport();
        d.control(QStringLiteral("profileBox"))->setFocus();
        int boxes = 0;
        for (QWidget* focus = QApplication::focusWidget(); focus && content->isAncestorOf(focus);
             focus = QApplication::focusWidget()) {
            QCOMPARE(Pane(d)->horizontalScrollBar()->value(), 0);
            const QRect shown(focus->mapTo(viewport, QPoint()), focus->size());
            QVERIFY2(shown.top() >= 0 && shown.bottom() <= viewport->height(),
                     qPrintable(focus->objectName()));
            QTest::keyClick(focus, Qt::Key_Tab);
            QVERIFY(++boxes < 200);
        }
        QVERIFY(boxes > 30);
    }

    // The table selects cells, starts on the wage and shows where the keys go.
    void tableKeysGoToTheCurrentCell()
    {
        test::YearDriver d;
        auto* table = d.control<QTableView>(QStringLiteral("yearTable"));
        table->setFocus();
        QCOMPARE(table->currentIndex().column(), int(year::YearTableModel::Wage));
        QTest::keyClick(table, Qt::Key_Left);
        QCOMPARE(table->currentIndex().column(), int(year::YearTableModel::Month));
        // The current cell is the one marked, not its whole row.
        QCOMPARE(table->selectionModel()->selectedIndexes(),
                 QModelIndexList{table->currentIndex()});
        QTest::keyClick(table, Qt::Key_Right);
        QTest::keyClick(table, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor) && table->isAncestorOf(editor));
    }

    // A wage refused in the table says so below it, a refused box in the status bar; the window
    // keeps its width.
    void aLongMessageKeepsTheWindowsWidth()
    {
        test::YearDriver d;
        d.window().resize(1280, 800);
        QApplication::processEvents();
        const int width = d.window().width();
        // What the window's least width is made of: a message must not add to it.
        const int least = d.window().minimumSizeHint().width();
        const int pageLeast = d.window().tablePage()->minimumSizeHint().width();
        QAbstractItemModel* model = d.window().model();
        model->setData(
            model->index(2, year::YearTableModel::Wage),
            QStringLiteral("一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十"));
        QApplication::processEvents();
        QVERIFY(!d.control<QLabel>(QStringLiteral("wagesFromHint"))->text().isEmpty());
        QCOMPARE(d.window().width(), width);
        // The page the message is on asks for no more than a word of it in width, not for the
        // whole line.
        auto* hint = d.control<QLabel>(QStringLiteral("wagesFromHint"));
        QVERIFY(d.window().tablePage()->minimumSizeHint().width() - pageLeast <
                hint->fontMetrics().horizontalAdvance(hint->text()) / 4);
        QVERIFY(d.window().minimumSizeHint().width() <= least);
        d.type(QStringLiteral("wageEdit"),
               QStringLiteral("一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十"));
        QApplication::processEvents();
        QVERIFY(d.window().summary().startsWith(QStringLiteral("输入有误")));
        QCOMPARE(d.window().width(), width);
        QVERIFY(d.window().minimumSizeHint().width() <= least);
    }
};

QTEST_MAIN(TestYearFormPane)
#include "test_year_form_pane.moc"
