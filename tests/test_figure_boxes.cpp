// SPDX-License-Identifier: GPL-3.0-or-later
// A figure wider than its box never reads as another number: whenever the box does not have the
// focus it shows the figure's first digits, its tooltip holds the whole figure, and copying
// copies all of it.
#include "tests/support/form_driver.h"
#include "ui/interface_font.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace tallyra;
using test::FormDriver;

namespace {

// 12345 pre-tax with a subsidy of 150: the funds' grand total is wider than its box.
const QString kLongTotal = QStringLiteral("7592.17470703125");

// Where the box's text starts when it is not scrolled.
int StartOfText(QLineEdit* box)
{
    QLineEdit reference(box->text(), box->parentWidget());
    reference.setGeometry(box->geometry());
    reference.setCursorPosition(0);
    reference.grab();
    return reference.inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
}

// Where the box's text starts as last drawn: left of the box's text area when it is scrolled.
int DrawnStart(QLineEdit* box)
{
    box->grab();
    const int cursor = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    return cursor - box->fontMetrics().horizontalAdvance(box->text().left(box->cursorPosition()));
}

} // namespace

class TestFigureBoxes : public QObject {
    Q_OBJECT

    FormDriver* d_ = nullptr;
    QLineEdit* total_ = nullptr;

private slots:
    void initTestCase() { ApplyInterfaceFont(); }
    void init()
    {
        test::UseChineseLocale();
        d_ = new FormDriver;
        d_->form().show();
        QApplication::setActiveWindow(&d_->form());
        QVERIFY(QTest::qWaitForWindowActive(&d_->form()));
        d_->setText(QStringLiteral("TxtSQ"), QStringLiteral("12345"));
        d_->setText(QStringLiteral("TxtAdd"), QStringLiteral("150"));
        d_->click(QStringLiteral("CmdExe"));
        total_ = d_->control<QLineEdit>(QStringLiteral("TxtTol3J"));
        QCOMPARE(total_->text(), kLongTotal);
    }
    void cleanup() { delete d_; }

    void startShowsWithoutTheFocus_data()
    {
        QTest::addColumn<QString>("how"); // how the box got the focus before losing it
        QTest::newRow("clicked near its end") << "click";
        QTest::newRow("reached by Tab") << "tab";
        QTest::newRow("its text selected to the end") << "select";
    }
    void startShowsWithoutTheFocus()
    {
        QFETCH(QString, how);
        const int start = StartOfText(total_);
        QCOMPARE(DrawnStart(total_), start); // as the calculation left it
        if (how == QLatin1String("click")) {
            QTest::mouseClick(total_, Qt::LeftButton, {}, QPoint(total_->width() - 4, 9));
            // Whether the click itself scrolls depends on where the glyphs fall (it does on
            // Linux, not with Windows' fonts); the user then moves on to the end.
            QTest::keyClick(total_, Qt::Key_End);
        } else if (how == QLatin1String("tab")) {
            d_->control(QStringLiteral("TxtCmp3J"))->setFocus(Qt::OtherFocusReason);
            total_->setFocus(Qt::TabFocusReason);
            QCOMPARE(total_->selectedText(), kLongTotal); // all of it, to copy
            QCOMPARE(DrawnStart(total_), start);          // seen from its start
            QTest::keyClick(total_, Qt::Key_End);
        } else {
            total_->setFocus(Qt::MouseFocusReason);
            total_->end(true);
        }
        QVERIFY(total_->hasFocus());
        QVERIFY(DrawnStart(total_) < start); // scrolled to its end, as the user moved there
        d_->control(QStringLiteral("CmdExe"))->setFocus(Qt::TabFocusReason);
        QCOMPARE(DrawnStart(total_), start);
        QCOMPARE(total_->text(), kLongTotal);
    }

    void wholeFigureIsTheTooltip()
    {
        QCOMPARE(total_->toolTip(), kLongTotal);
        const auto* pension = d_->control<QLineEdit>(QStringLiteral("TxtYLJ")); // 987.6
        QVERIFY(!pension->text().isEmpty());
        QCOMPARE(pension->toolTip(), QString());
    }

    void copyingCopiesTheWholeFigure_data()
    {
        QTest::addColumn<bool>("selectAll");
        QTest::newRow("nothing selected") << false;
        QTest::newRow("all selected") << true;
    }
    void copyingCopiesTheWholeFigure()
    {
        QFETCH(bool, selectAll);
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(total_, Qt::LeftButton, {}, QPoint(10, 9));
        if (selectAll)
            QTest::keySequence(total_, QKeySequence::SelectAll);
        QTest::keySequence(total_, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), kLongTotal);
    }
};

QTEST_MAIN(TestFigureBoxes)
#include "test_figure_boxes.moc"
