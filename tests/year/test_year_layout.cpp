// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner for every user: a screen-reader name on every control, every input reached
// with the keyboard alone, nothing cut at larger fonts, and readable on a dark palette.
#include "tests/year/year_driver.h"
#include "ui/contrast.h"
#include "year/form/input_form.h"
#include "year/pages/month_chart.h"
#include "year/pages/year_table_model.h"
#include "year/pages/year_table_page.h"
#include "year/planner_colours.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QTabWidget>
#include <QtCharts/QChart>
#include <QTest>
#include <QTextBrowser>
#include <QTextLayout>

#include <set>

using namespace tallyra;

namespace {

// The program's own controls, not the parts Qt builds inside them (a list box's line, a spin
// box's line, a table's corner button, scroll bars).
QList<QWidget*> Controls(QWidget* window)
{
    QList<QWidget*> found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w) ||
                             qobject_cast<QAbstractButton*>(w) ||
                             qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextBrowser*>(w);
        if (control && !w->objectName().isEmpty() &&
            !w->objectName().startsWith(QLatin1String("qt_")))
            found << w;
    }
    return found;
}

QList<QWidget*> FormInputs(test::YearDriver& d)
{
    QList<QWidget*> inputs;
    for (QWidget* w : Controls(d.window().form()))
        if (w->isVisibleTo(&d.window()) && w->isEnabled())
            inputs << w;
    return inputs;
}

QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(53, 53, 53));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(35, 35, 35));
    p.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(53, 53, 53));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
    return p;
}

// The colour a label's text is drawn in.
QColor TextColour(QWidget* label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestYearLayout : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        QApplication::setPalette(QApplication::style()->standardPalette());
        QApplication::setFont(QFont());
    }

    void everyControlHasAScreenReaderName()
    {
        test::YearDriver d;
        for (int page = 0; page < d.window().tabs()->count(); ++page)
            d.window().tabs()->setCurrentIndex(page); // each page built as it is first shown
        QStringList names;
        for (QWidget* w : Controls(&d.window())) {
            // What a screen reader is told: the name set, else the button's or buddy's caption.
            // A list box is announced on Linux by its chosen entry; its purpose goes with it as
            // its description.
            QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            if (qobject_cast<QComboBox*>(w)) {
                name = w->accessibleName();
                QVERIFY2(w->accessibleDescription().startsWith(name), qPrintable(name));
            }
            QVERIFY2(!name.isEmpty(), qPrintable(w->objectName()));
            names << name;
        }
        QVERIFY(names.size() > 50);
        names.sort();
        for (int i = 1; i < names.size(); ++i)
            QVERIFY2(names[i] != names[i - 1], qPrintable(names[i]));
        QCOMPARE(d.control("yearTable")->accessibleName(), QStringLiteral("全年逐月明细"));
        QCOMPARE(d.control("wageEdit")->accessibleName(), QStringLiteral("月工资"));
        QCOMPARE(d.control("employerFundRateEdit")->accessibleName(),
                 QStringLiteral("住房公积金单位比例"));
    }

    // Tab from the profile's name walks through every input of the form and on to the table.
    void tabReachesEveryInput()
    {
        test::YearDriver d;
        QWidget* start = d.control("profileBox");
        start->setFocus();
        std::set<QWidget*> reached;
        QWidget* focus = QApplication::focusWidget();
        for (int i = 0; i < 300 && focus; ++i) {
            reached.insert(focus);
            if (QWidget* proxy = focus->focusProxy())
                reached.insert(proxy);
            if (focus->parentWidget() && qobject_cast<QAbstractSpinBox*>(focus->parentWidget()))
                reached.insert(focus->parentWidget());
            if (focus->parentWidget() && qobject_cast<QComboBox*>(focus->parentWidget()))
                reached.insert(focus->parentWidget());
            QTest::keyClick(focus, Qt::Key_Tab);
            focus = QApplication::focusWidget();
        }
        for (QWidget* input : FormInputs(d)) {
            // Of two options only the chosen one takes the focus; the arrows move between them.
            if (auto* option = qobject_cast<QRadioButton*>(input); option && !option->isChecked())
                continue;
            QVERIFY2(reached.count(input), qPrintable(input->objectName()));
        }
        QVERIFY(reached.count(d.control("yearTable")));
        QVERIFY(reached.count(d.control("resultTabs")->findChild<QTabBar*>()));
    }

    // Every access key of the window, with each result page in turn: the menus', the profile
    // bar's, the form's rows', the page's. None twice, so that Alt+F opens 文件 at once.
    void noAccessKeyTwice()
    {
        test::YearDriver d;
        QTabWidget* tabs = d.window().tabs();
        QStringList twice;
        std::size_t fewest = 100;
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QApplication::processEvents();
            std::map<QString, QString> keys; // the key, and the caption it is in
            auto take = [&](const QString& caption) {
                const QString key = QKeySequence::mnemonic(caption).toString();
                if (key.isEmpty())
                    return;
                if (keys.count(key))
                    twice << key + QLatin1String(": ") + keys[key] + QLatin1String(" / ") + caption;
                keys[key] = caption;
            };
            for (QAction* menu : d.window().menuBar()->actions())
                take(menu->text());
            for (QLabel* label : d.window().findChildren<QLabel*>())
                if (label->buddy() && label->isVisibleTo(&d.window()))
                    take(label->text());
            for (QAbstractButton* button : d.window().findChildren<QAbstractButton*>())
                if (button->isVisibleTo(&d.window()))
                    take(button->text());
            fewest = std::min(fewest, keys.size());
        }
        QVERIFY2(twice.isEmpty(), qPrintable(twice.join(QLatin1String("; "))));
        QVERIFY(fewest >= 30); // the form's every row among them
    }

    void everyRowOfTheFormHasAnAccessKey()
    {
        test::YearDriver d;
        int rows = 0;
        for (QLabel* label : d.window().form()->findChildren<QLabel*>()) {
            if (!label->buddy())
                continue;
            ++rows;
            QVERIFY2(!QKeySequence::mnemonic(label->text()).isEmpty(), qPrintable(label->text()));
        }
        QVERIFY(rows > 25);
    }

    void keysReachThePagesAndCommands()
    {
        test::YearDriver d;
        QTest::keyClick(&d.window(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(d.window().tabs()->currentIndex(), 2);
        QTest::keyClick(&d.window(), Qt::Key_2, Qt::ControlModifier);
        QVERIFY(d.window().tabs()->page<year::MonthChart>()->isVisible());
        QTest::keyClick(&d.window(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(d.dialogs().asked.size(), 1); // the export asked for a file
        QVERIFY(d.window().testAttribute(Qt::WA_KeyboardFocusChange)); // the focus shows
    }

    // At larger fonts the window grows its rows instead of cutting their text.
    void nothingIsCutAtLargerFonts_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("9 pt") << 9;
        QTest::newRow("12 pt") << 12;
        QTest::newRow("14 pt") << 14;
        QTest::newRow("18 pt") << 18;
    }
    void nothingIsCutAtLargerFonts()
    {
        QFETCH(int, points);
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
        test::YearDriver d;
        d.enterRealisticYear();
        QApplication::processEvents();
        for (QWidget* w : d.window().findChildren<QWidget*>()) {
            if (!w->isVisible() || w->objectName().startsWith(QLatin1String("qt_")) ||
                qobject_cast<QTabBar*>(w->parentWidget())) // the tab bar's own scroll arrows
                continue;
            auto* label = qobject_cast<QLabel*>(w);
            if (label && (label->wordWrap() || label->text().isEmpty()))
                continue;
            if (label || qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w))
                QVERIFY2(w->width() >= w->minimumSizeHint().width(),
                         qPrintable(w->objectName() + QLatin1Char(' ') +
                                    (label ? label->text() : QString())));
        }
        // Every column of the year table is as wide as its widest figure and header line.
        auto* table = d.control<QTableView>("yearTable");
        for (int c = 0; c < year::YearTableModel::ColumnCount; ++c)
            for (int r = 0; r <= year::YearTableModel::kTotalsRow; ++r) {
                const QModelIndex cell = d.window().model()->index(r, c);
                QFont font = table->font();
                font.setBold(cell.data(Qt::FontRole).value<QFont>().bold());
                QVERIFY(table->columnWidth(c) >=
                        QFontMetrics(font).horizontalAdvance(cell.data().toString()));
            }
    }

    // A refusal that runs onto a second line takes more than its last character there, at
    // whatever width the form gives it.
    void aRefusalLeavesNoCharacterAloneOnItsLastLine()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.type(QStringLiteral("socialCapEdit"), QStringLiteral("5000"));
        auto* hint = d.window().form()->findChild<QLabel*>(QStringLiteral("socialFloorEditHint"));
        QVERIFY(hint &&
                hint->text().remove(QChar(0x2060)).contains(QStringLiteral("上限不能低于下限")));
        const QFontMetrics metrics(hint->font());
        for (int width = metrics.horizontalAdvance(hint->text()) / 3;
             width < metrics.horizontalAdvance(hint->text()); ++width) {
            QTextLayout layout(hint->text(), hint->font());
            QTextOption wrap;
            wrap.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(wrap);
            layout.beginLayout();
            QTextLine last;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                last = line;
            }
            layout.endLayout();
            QString tail = hint->text().mid(last.textStart(), last.textLength()).trimmed();
            QVERIFY2(tail.remove(QChar(0x2060)).size() > 1,
                     qPrintable(QStringLiteral("%1 px: %2").arg(width).arg(tail)));
        }
    }

    // On a dark palette: refusals, the step-up tint and the chart keep their contrast; a palette
    // changed while the window is shown is followed.
    void followsTheDarkPalette()
    {
        QApplication::setPalette(DarkPalette());
        test::YearDriver d;
        d.enterRealisticYear();
        d.type(QStringLiteral("wageEdit"), QStringLiteral("x"));
        QLabel* hint = d.window().form()->findChild<QLabel*>(QStringLiteral("wageEditHint"));
        QVERIFY(hint->isVisible());
        const QPalette& dark = d.window().palette();
        QVERIFY(ContrastRatio(TextColour(hint), dark.color(QPalette::Window)) >= 4.5);
        d.type(QStringLiteral("wageEdit"), QStringLiteral("25000"));
        const QVariant tint =
            d.window().model()->index(3, year::YearTableModel::Rate).data(Qt::BackgroundRole);
        QVERIFY(tint.isValid());
        QVERIFY(ContrastRatio(dark.color(QPalette::Text), tint.value<QColor>()) >= 4.5);
        year::MonthChart* chart = d.window().tabs()->page<year::MonthChart>();
        QCOMPARE(chart->chart()->theme(), QChart::ChartThemeDark);
        QCOMPARE(chart->chart()->backgroundBrush().color(), dark.color(QPalette::Base));

        QApplication::setPalette(QApplication::style()->standardPalette());
        QApplication::processEvents();
        QCOMPARE(chart->chart()->theme(), QChart::ChartThemeLight);
        d.type(QStringLiteral("wageEdit"), QStringLiteral("y"));
        const QPalette& light = d.window().palette();
        QVERIFY(ContrastRatio(TextColour(hint), light.color(QPalette::Window)) >= 4.5);
        QVERIFY(TextColour(hint) != year::WarningText(DarkPalette()));
    }

    // The chart draws the wage's figures of the table: each month's tax withheld and the wage's
    // take-home pay, in yuan; a separate bonus and its tax stay out.
    void chartShowsTheYear()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        const QList<qreal> tax = d.window().tabs()->page<year::MonthChart>()->taxValues();
        const QList<qreal> home = d.window().tabs()->page<year::MonthChart>()->takeHomeValues();
        QCOMPARE(tax.size(), 12);
        QCOMPARE(tax[0], 318.75);
        QCOMPARE(tax[3], 773.75);
        QCOMPARE(tax[11], 1062.5);
        QCOMPARE(home[0], 20306.25);
        QCOMPARE(home[3], 19851.25);
        QCOMPARE(home[11], 19562.5);
        d.type(QStringLiteral("wageEdit"), QStringLiteral("?"));
        QVERIFY(d.window().tabs()->page<year::MonthChart>()->taxValues().isEmpty());
    }
};

QTEST_MAIN(TestYearLayout)
#include "test_year_layout.moc"
