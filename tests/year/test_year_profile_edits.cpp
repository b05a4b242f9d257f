// SPDX-License-Identifier: GPL-3.0-or-later
// What the year planner does with inputs not yet saved: a profile's name typed never loads it,
// saving under a name that exists asks and saves what is on screen, and choosing another
// profile or the defaults asks first whether to save the changes; the title names the profile
// and marks it changed.
#include "tests/law/law_test_support.h"
#include "tests/year/year_driver.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tallyra;
using law::Money;
using law_test::M;
using Choice = MessageBoxes::SaveChoice;

namespace {

// The name typed key by key into the profile's box, as a user does.
void TypeName(test::YearDriver& d, const QString& name)
{
    QLineEdit* edit = d.control<QComboBox>(QStringLiteral("profileBox"))->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, name);
}

void Save(test::YearDriver& d, const QString& name)
{
    TypeName(d, name);
    QTest::mouseClick(d.control<QPushButton>(QStringLiteral("saveProfileButton")), Qt::LeftButton);
}

// A profile chosen in the list, as a user picks it.
void Choose(test::YearDriver& d, const QString& name)
{
    auto* box = d.control<QComboBox>(QStringLiteral("profileBox"));
    const int index = box->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QString LastMessage(test::YearDriver& d)
{
    return d.messages().shown.isEmpty() ? QString() : d.messages().shown.last();
}

Money Wage(test::YearDriver& d)
{
    return d.window().inputs() ? d.window().inputs()->wage : Money::Fen(-1);
}

Money Saved(test::YearDriver& d, const QString& name)
{
    const auto inputs = d.window().profiles().load(name);
    return inputs ? inputs->wage : Money::Fen(-1);
}

// Profile A with a wage of 10,000, B with 20,000, B on screen.
void SaveTwo(test::YearDriver& d)
{
    d.type(QStringLiteral("wageEdit"), QStringLiteral("10000"));
    Save(d, QStringLiteral("A"));
    d.type(QStringLiteral("wageEdit"), QStringLiteral("20000"));
    Save(d, QStringLiteral("B"));
    QCOMPARE(Saved(d, QStringLiteral("A")), M("10000"));
    QCOMPARE(Saved(d, QStringLiteral("B")), M("20000"));
}

} // namespace

class TestYearProfileEdits : public QObject {
    Q_OBJECT

private slots:
    void typingAnExistingNameLoadsNothing()
    {
        test::YearDriver d;
        SaveTwo(d);
        d.type(QStringLiteral("wageEdit"), QStringLiteral("30000"));
        TypeName(d, QStringLiteral("A"));
        d.control(QStringLiteral("wageEdit"))->setFocus(); // the name's box loses the focus
        QCOMPARE(Wage(d), M("30000"));
        TypeName(d, QStringLiteral("A"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Wage(d), M("30000"));

        // Ctrl+S asks, and Yes saves what is on screen.
        d.messages().scriptAnswers({true});
        QTest::keyClick(&d.window(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(LastMessage(d), QStringLiteral("已有名为“A”的方案，要用当前输入替换它吗？"));
        QCOMPARE(Saved(d, QStringLiteral("A")), M("30000"));
        QCOMPARE(Wage(d), M("30000"));

        // So does the button, its click taking the focus from the name's box.
        d.type(QStringLiteral("wageEdit"), QStringLiteral("31000"));
        d.messages().scriptAnswers({true});
        Save(d, QStringLiteral("B"));
        QCOMPARE(LastMessage(d), QStringLiteral("已有名为“B”的方案，要用当前输入替换它吗？"));
        QCOMPARE(Saved(d, QStringLiteral("B")), M("31000"));
        QCOMPARE(d.messages().unexpectedQuestions, 0);
    }

    void choosingAnotherProfileAsksAboutChanges()
    {
        test::YearDriver d;
        SaveTwo(d);
        Choose(d, QStringLiteral("A")); // nothing changed: no question
        QCOMPARE(Wage(d), M("10000"));
        QCOMPARE(d.messages().shown.size(), 0);

        d.type(QStringLiteral("wageEdit"), QStringLiteral("12000"));
        d.messages().scriptChoices({Choice::Cancel});
        Choose(d, QStringLiteral("B"));
        QCOMPARE(LastMessage(d), QStringLiteral("保存对“A”的修改吗？"));
        QCOMPARE(Wage(d), M("12000"));
        QCOMPARE(d.control<QComboBox>(QStringLiteral("profileBox"))->currentText(),
                 QStringLiteral("A"));

        d.messages().scriptChoices({Choice::Discard});
        Choose(d, QStringLiteral("B"));
        QCOMPARE(Wage(d), M("20000"));
        QCOMPARE(Saved(d, QStringLiteral("A")), M("10000"));

        d.type(QStringLiteral("wageEdit"), QStringLiteral("22000"));
        d.messages().scriptChoices({Choice::Save});
        Choose(d, QStringLiteral("A"));
        QCOMPARE(Saved(d, QStringLiteral("B")), M("22000"));
        QCOMPARE(Wage(d), M("10000"));
        QCOMPARE(d.messages().unexpectedQuestions, 0);
    }

    void restoringTheDefaultsAsksAboutChanges()
    {
        test::YearDriver d;
        SaveTwo(d);
        d.type(QStringLiteral("wageEdit"), QStringLiteral("23000"));
        d.messages().scriptChoices({Choice::Cancel});
        d.control<QAction>(QStringLiteral("defaultsAction"))->trigger();
        QCOMPARE(LastMessage(d), QStringLiteral("保存对“B”的修改吗？"));
        QCOMPARE(Wage(d), M("23000"));
        d.messages().scriptChoices({Choice::Discard});
        d.control<QAction>(QStringLiteral("defaultsAction"))->trigger();
        QVERIFY(Wage(d) != M("23000"));
        QCOMPARE(Saved(d, QStringLiteral("B")), M("20000"));
        QCOMPARE(d.messages().unexpectedQuestions, 0);
    }

    // The title names the profile on screen and marks it while it differs from what is saved.
    void titleNamesTheProfileAndItsChanges()
    {
        test::YearDriver d;
        SaveTwo(d);
        QVERIFY(d.window().windowTitle().startsWith(QStringLiteral("B")));
        QVERIFY(!d.window().isWindowModified());
        d.type(QStringLiteral("wageEdit"), QStringLiteral("24000"));
        QVERIFY(d.window().isWindowModified());
        d.type(QStringLiteral("wageEdit"), QStringLiteral("20000"));
        QVERIFY(!d.window().isWindowModified());
    }
};

QTEST_MAIN(TestYearProfileEdits)
#include "test_year_profile_edits.moc"
