// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader and a keyboard-only user get from the main window: Chinese names, result
// descriptions, values read back, focus moves announced, a visible focus, menus by keyboard.
#include "tests/support/form_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace tallyra;
using namespace tallyra::test;

namespace {

QAccessibleInterface* Accessible(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

QString AccessibleName(QWidget* widget)
{
    return Accessible(widget)->text(QAccessible::Name);
}

QString ReadBack(QWidget* widget)
{
    QAccessibleTextInterface* text = Accessible(widget)->textInterface();
    return text ? text->text(0, text->characterCount()) : QStringLiteral("<no text interface>");
}

bool HasChineseCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

// Whether a screen reader walking the window's tree from the top meets `target`.
bool ReachableFrom(QAccessibleInterface* node, QAccessibleInterface* target)
{
    if (node == target)
        return true;
    for (int i = 0; i < node->childCount(); ++i) {
        if (ReachableFrom(node->child(i), target))
            return true;
    }
    return false;
}

// Where the focus is, as an assistive tool finds it: asking from the window downwards.
QAccessibleInterface* FocusedDescendant(QAccessibleInterface* node)
{
    QAccessibleInterface* inner = node->focusChild();
    return inner && inner != node ? FocusedDescendant(inner) : node;
}

// Every named control that can take the focus, and every text box (results
// included); the unnamed inner parts of a drop-down box speak for the box.
QList<QWidget*> ControlsToAnnounce(Form1& form)
{
    QList<QWidget*> found;
    for (QWidget* widget : form.centralWidget()->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty())
            continue;
        if (widget->focusPolicy() != Qt::NoFocus || qobject_cast<QLineEdit*>(widget))
            found << widget;
    }
    return found;
}

void ShowActive(Form1& form)
{
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

QImage LookOf(QWidget* control)
{
    QApplication::processEvents();
    const QRect around = control->rect().adjusted(-3, -3, 3, 3);
    return control->parentWidget()->grab(around.translated(control->pos())).toImage();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseChineseLocale(); }

    void everyControlHasItsOwnChineseName()
    {
        FormDriver d;
        QStringList names;
        for (QWidget* control : ControlsToAnnounce(d.form())) {
            const QString name = AccessibleName(control);
            QVERIFY2(HasChineseCharacter(name), qPrintable(control->objectName() + ": " + name));
            names << name;
        }
        QCOMPARE(names.size(), 34);
        names.removeDuplicates();
        QCOMPARE(names.size(), 34); // no two boxes sound alike
    }

    // Results read as their captions read, say they are results, are captioned by their labels,
    // and give their figures through the text interface, the fund boxes (disabled by design)
    // included.
    void resultBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("pre-tax") << "TxtSQ2" << "Label8" << "税前薪水";
        QTest::newRow("after-tax") << "TxtSh" << "Label5" << "税后薪资";
        QTest::newRow("tax, without the caption's blanks") << "TxtExe" << "Label4" << "所得税";
        QTest::newRow("cash") << "txtSJXJ" << "Label7" << "实际现金";
        QTest::newRow("employee housing fund") << "TxtGJJ" << "Label2(2)" << "个人公积金";
        QTest::newRow("employer housing fund") << "TxtGSGJJ" << "Label2(9)" << "公司公积金";
        QTest::newRow("employer unemployment") << "TxtGSSYBX" << "Label2(6)" << "公司失业保险";
        QTest::newRow("employee total") << "Txt3J" << "Label2(0)" << "个人总计";
        QTest::newRow("employer total") << "TxtCmp3J" << "Label1" << "公司总计";
        QTest::newRow("grand total") << "TxtTol3J" << "Label6" << "四金总计";
        // clang-format on
    }
    void resultBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, label);
        QFETCH(QString, name);
        FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("8000"));
        d.click(QStringLiteral("CmdExe"));
        auto* control = d.control<QLineEdit>(box);
        QAccessibleInterface* iface = Accessible(control);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QVERIFY(iface->text(QAccessible::Description).contains(QStringLiteral("结果")));
        QVERIFY(iface->state().readOnly || iface->state().disabled);
        QVERIFY(!control->text().isEmpty());
        QCOMPARE(ReadBack(control), control->text());
        QVERIFY(ReachableFrom(Accessible(&d.form()), iface));
        const auto labels = iface->relations(QAccessible::Label);
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const auto& relation) {
            return relation.first->object()->objectName() == label;
        }));
    }

    void salaryBoxNamesTheChosenDirection()
    {
        FormDriver d;
        auto* salary = d.control(QStringLiteral("TxtSQ"));
        QCOMPARE(AccessibleName(salary), QStringLiteral("税前薪水（输入）"));
        d.chooseDirection(1);
        QCOMPARE(AccessibleName(salary), QStringLiteral("税后薪水（输入）"));
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("5000"));
        QCOMPARE(ReadBack(salary), QStringLiteral("5000"));
    }

    // A screen reader asking the window where the focus is finds every stop of the Tab chain in
    // turn, named.
    void tabbingAnnouncesEveryStop()
    {
        FormDriver d;
        ShowActive(d.form());
        const QStringList chain{"CmdExe",   "OptType(0)",     "CmdReset", "CmdClose",
                                "TxtSQ2",   "TxtSh",          "TxtExe",   "txtSJXJ",
                                "cmbIfSQ",  "TxtSQ",          "TxtAdd",   "TxtTol3J",
                                "TxtCmp3J", "ChkAlwaysCal3J", "Txt3J",    "chkSj(3)",
                                "chkSj(2)", "chkSj(1)",       "chkSj(0)", "OptSjType(0)"};
        QStringList visited;
        for (int i = 0; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QAccessibleInterface* focus = FocusedDescendant(Accessible(&d.form()));
            QVERIFY(!focus->text(QAccessible::Name).isEmpty());
            visited << focus->object()->objectName();
        }
        QCOMPARE(visited, chain);
    }

    // Each stop looks different with the focus than without it, whatever its kind or state,
    // from the moment the window opens, and after a mouse click too.
    void focusIsVisibleAtEveryStop_data()
    {
        QTest::addColumn<bool>("otherThreshold");
        QTest::addColumn<bool>("ticksCleared");
        QTest::addColumn<QString>("clicked");
        QTest::newRow("as started") << false << false << "";
        QTest::newRow("other threshold, ticks cleared") << true << true << "";
        QTest::newRow("after a click") << false << false << "chkSj(1)";
    }
    void focusIsVisibleAtEveryStop()
    {
        QFETCH(bool, otherThreshold);
        QFETCH(bool, ticksCleared);
        QFETCH(QString, clicked);
        FormDriver d;
        d.setChecked(QStringLiteral("OptType(1)"), otherThreshold);
        for (const char* tick : {"chkSj(0)", "chkSj(1)", "chkSj(2)", "chkSj(3)", "ChkAlwaysCal3J"})
            d.setChecked(QString::fromLatin1(tick), !ticksCleared);
        ShowActive(d.form());
        if (!clicked.isEmpty())
            d.click(clicked);
        QWidget* const first = QApplication::focusWidget();
        QWidget* control = first;
        do {
            const QImage focused = LookOf(control);
            QTest::keyClick(control, Qt::Key_Tab);
            QWidget* next = QApplication::focusWidget();
            QVERIFY2(LookOf(control) != focused, qPrintable(control->objectName()));
            control = next;
        } while (control != first);
    }

    // The two menus have no access key of their own: Alt opens the menu bar, the arrows and
    // Enter choose an entry.
    void menusWorkFromTheKeyboard()
    {
        FormDriver d;
        ShowActive(d.form());
        d.setText(QStringLiteral("TxtAdd"), QStringLiteral("150"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt);
        QTest::keyClick(d.form().menuBar(), Qt::Key_Down);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), QStringLiteral("M_Set"));
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QCOMPARE(menu->activeAction()->objectName(), QStringLiteral("M_SaveBT"));
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(d.memoryStore().entries.value(QStringLiteral("Settings/BT")),
                 QStringLiteral("150"));
        QCOMPARE(d.messages().shown, QStringList{QStringLiteral("保存成功！")});
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
