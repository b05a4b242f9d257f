// SPDX-License-Identifier: GPL-3.0-or-later
// The windows under every style Qt offers: a fixed design, so whatever font a platform theme or
// style gives the application, before the windows are built or while they are open, every
// control keeps the interface font and no caption is cut; and the keyboard's place in the menu
// bar shows.
#include "tests/support/about_on_doubles.h"
#include "tests/support/form_driver.h"
#include "tests/support/pixels.h"
#include "ui/interface_font.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>

using namespace tallyra;
using test::FormDriver;

namespace {

// What a desktop does to the fonts, and when.
enum class FontChange {
    None,               // the program's own interface font
    LargeBeforeBuild,   // a theme's 14 pt application font, set before the window exists
    LargeAfterShow,     // the same, set while the window is open (a theme changed)
    WindowFontReplaced, // a theme that sets its font on the open window itself
    StyleSwitched       // the style switched while the window is open
};

QFont LargeFont()
{
    return QFont(QStringLiteral("Sans Serif"), 14);
}

// The rectangle the style draws a control's caption in, as it paints it: a caption wider than
// that is cut on screen. A group box's title is drawn in a rectangle as wide as the title, so
// it is cut where that reaches past the box.
QRect CaptionRectOnScreen(QWidget* w)
{
    QStyle* style = w->style();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QStyle::SubElement contents =
            qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
            : qobject_cast<QCheckBox*>(w)  ? QStyle::SE_CheckBoxContents
                                           : QStyle::SE_PushButtonContents;
        return style->subElementRect(contents, &option, w);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, w);
    }
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        return style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, w)
            .intersected(w->rect());
    }
    return w->contentsRect();
}

// The captions (labels, buttons, options, check boxes, group boxes, list items) of a window.
QStringList CaptionsOf(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return {label->text()};
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return {QString(button->text()).remove(QLatin1Char('&'))};
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return {group->title()};
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && !combo->isEditable()) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    return {};
}

// Controls whose caption is wider than the room they give it, or not in the interface font.
QStringList Faults(QWidget* window)
{
    const QFont font = InterfaceFont();
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (w->font().family() != font.family() || w->font().pixelSize() != font.pixelSize())
            found << QStringLiteral("%1 in %2").arg(w->objectName(), w->font().toString());
        for (const QString& caption : CaptionsOf(w)) {
            // Measured in the control's own font, as it is painted.
            const int needed = w->fontMetrics().horizontalAdvance(caption);
            const int room = CaptionRectOnScreen(w).width();
            if (needed > room)
                found << QStringLiteral("%1 \"%2\" needs %3 of %4")
                             .arg(w->objectName(), caption)
                             .arg(needed)
                             .arg(room);
        }
    }
    return found;
}

void Change(FontChange how, QWidget* window)
{
    if (how == FontChange::LargeAfterShow)
        QApplication::setFont(LargeFont());
    else if (how == FontChange::WindowFontReplaced)
        window->setFont(LargeFont());
    QCoreApplication::processEvents();
}

// A title is marked when at least a tenth of its pixels look other than when the bar is idle: a
// filled highlight, or at the least a frame around it.
bool Marked(const QImage& idle, const QImage& now, const QRect& title)
{
    int changed = 0;
    for (int y = title.top(); y <= title.bottom(); ++y) {
        for (int x = title.left(); x <= title.right(); ++x)
            changed += idle.pixel(x, y) != now.pixel(x, y);
    }
    return changed * 10 >= title.width() * title.height();
}

} // namespace

class TestDesktopStyles : public QObject {
    Q_OBJECT

    QString originalStyle_;

private slots:
    void initTestCase()
    {
        ApplyInterfaceFont();
        originalStyle_ = QApplication::style()->name();
    }
    void init() { test::UseChineseLocale(); }
    void cleanup()
    {
        ApplyInterfaceFont();
        QApplication::setStyle(originalStyle_);
    }

    // Every style Qt offers here (Fusion and Windows at least) × what a desktop does to fonts.
    void captionsFitInTheInterfaceFont_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<FontChange>("fontChange");
        const std::pair<const char*, FontChange> changes[] = {
            {"interface font", FontChange::None},
            {"14 pt application font before the window is built", FontChange::LargeBeforeBuild},
            {"14 pt application font while it is open", FontChange::LargeAfterShow},
            {"a theme's font set on the open window", FontChange::WindowFontReplaced},
            {"switched to while the window is open", FontChange::StyleSwitched}};
        for (const QString& style : QStyleFactory::keys()) {
            for (const auto& [name, how] : changes)
                QTest::addRow("%s, %s", qPrintable(style), name) << style << how;
        }
    }
    void captionsFitInTheInterfaceFont()
    {
        QFETCH(QString, style);
        QFETCH(FontChange, fontChange);
        QApplication::setStyle(fontChange == FontChange::StyleSwitched ? QStringLiteral("Fusion")
                                                                       : style);
        if (fontChange == FontChange::LargeBeforeBuild)
            QApplication::setFont(LargeFont());
        FormDriver d;
        test::AboutOnDoubles about;
        d.form().show();
        about.box.show();
        Change(fontChange, &d.form());
        Change(fontChange, &about.box);
        if (fontChange == FontChange::StyleSwitched) {
            QApplication::setStyle(style);
            QCoreApplication::processEvents();
        }
        const QStringList found = Faults(&d.form()) + Faults(&about.box);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
        QCOMPARE(d.form().centralWidget()->size(), QSize(349, 477));
    }

    // After Alt the first menu title shows as the active one, and the arrow keys move that (in
    // the styles that take Alt for the menu bar: GNOME's take F10).
    void activeMenuTitleShows_data()
    {
        QTest::addColumn<QString>("style");
        for (const QString& style : QStyleFactory::keys())
            QTest::newRow(qPrintable(style)) << style;
    }
    void activeMenuTitleShows()
    {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        FormDriver d;
        d.form().show();
        QApplication::setActiveWindow(&d.form());
        QVERIFY(QTest::qWaitForWindowActive(&d.form()));
        QMenuBar* bar = d.form().menuBar();
        const QList<QAction*> menus = bar->actions();
        if (!bar->style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, bar))
            QSKIP("the style takes no Alt for the menu bar");
        const QImage idle = test::Grabbed(bar);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt);
        QVERIFY(bar->hasFocus());
        QCOMPARE(bar->activeAction(), menus[0]);
        QVERIFY(Marked(idle, test::Grabbed(bar), bar->actionGeometry(menus[0])));
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->activeAction(), menus[1]);
        const QImage moved = test::Grabbed(bar);
        QVERIFY(Marked(idle, moved, bar->actionGeometry(menus[1])));
        QVERIFY(!Marked(idle, moved, bar->actionGeometry(menus[0])));
    }

    // F10 opens the first menu in every style.
    void f10OpensTheFirstMenu_data() { activeMenuTitleShows_data(); }
    void f10OpensTheFirstMenu()
    {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        FormDriver d;
        d.form().show();
        QApplication::setActiveWindow(&d.form());
        QVERIFY(QTest::qWaitForWindowActive(&d.form()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), QStringLiteral("M_Set"));
        QTest::keyClick(menu, Qt::Key_Escape);
    }
};

QTEST_MAIN(TestDesktopStyles)
#include "test_desktop_styles.moc"
