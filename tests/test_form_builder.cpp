// SPDX-License-Identifier: GPL-3.0-or-later
// The form builder on small tables of its own: what it builds from a sound table, what it
// reports for a table that does not resolve, and that such a table ends the program in every
// build type.
#include "ui/form_builder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <array>

using namespace tallyra;

namespace {

struct Controls {
    QLineEdit* box = nullptr;
    std::array<QPushButton*, 2> buttons{};
};

using C = Controls;
using K = ControlKind;
using Row = ControlRow<Controls>;

// A group with a captioned box and two buttons; tab positions out of table order.
// clang-format off
constexpr std::array<Row, 5> kSound = {{
    {{"group",      K::GroupBox, "组", nullptr, 150, 300, 3000, 1500, -1, kNoState, nullptr, nullptr},   nullptr},
    {{"caption",    K::Label,    "数", "group", 150, 300, 750,  255,  3,  kNoState, nullptr, nullptr},   nullptr},
    {{"box",        K::TextBox,  "",   "group", 900, 300, 1200, 285,  2,  kReadOnly, "数目",  "caption"}, &Into<&C::box>},
    {{"buttons(0)", K::Button,   "甲", nullptr, 150, 1950, 855, 375,  1,  kNoState, nullptr, nullptr},   &IntoElement<&C::buttons, 0>},
    {{"buttons(1)", K::Button,   "乙", nullptr, 1200, 1950, 855, 375, 0,  kHidden,  nullptr, nullptr},   &IntoElement<&C::buttons, 1>},
}};
// clang-format on

// The sound table with one row replaced.
std::array<Row, 5> WithRow(int index, Row row)
{
    std::array<Row, 5> rows = kSound;
    rows[index] = row;
    return rows;
}

QStringList Names(const std::vector<QWidget*>& widgets)
{
    QStringList list;
    for (QWidget* widget : widgets)
        list << widget->objectName();
    return list;
}

} // namespace

Q_DECLARE_METATYPE(Row)

class TestFormBuilder : public QObject {
    Q_OBJECT

private slots:
    void soundTableBuildsEveryRow()
    {
        QWidget client;
        const BuiltForm<Controls> form = TryBuildForm(&client, std::span<const Row>(kSound));
        QCOMPARE(form.problems, QStringList());
        QCOMPARE(form.controls.box->objectName(), QStringLiteral("box"));
        QCOMPARE(form.controls.box->parentWidget()->objectName(), QStringLiteral("group"));
        QCOMPARE(form.controls.box->geometry(), QRect(60, 20, 80, 19));
        QVERIFY(form.controls.box->isReadOnly());
        QCOMPARE(form.controls.box->accessibleName(), QStringLiteral("数目"));
        QCOMPARE(client.findChild<QLabel*>(QStringLiteral("caption"))->buddy(), form.controls.box);
        QCOMPARE(form.controls.buttons[0]->text(), QStringLiteral("甲"));
        QVERIFY(form.controls.buttons[1]->isHidden());
        QCOMPARE(Names(form.tabOrder), (QStringList{"buttons(1)", "buttons(0)", "box", "caption"}));
    }

    // Each fault of a table is named, and the rest of the form is still built.
    void unsoundTablesAreReported_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<Row>("row");
        QTest::addColumn<QString>("problem");
        // clang-format off
        QTest::newRow("unknown container") << 2 << Row{{"box", K::TextBox, "", "grop", 900, 300, 1200, 285, 2, kNoState, nullptr, nullptr}, &Into<&C::box>} << "box: no group box grop before it";
        QTest::newRow("container not a group box") << 2 << Row{{"box", K::TextBox, "", "caption", 900, 300, 1200, 285, 2, kNoState, nullptr, nullptr}, &Into<&C::box>} << "box: no group box caption before it";
        QTest::newRow("container after its content") << 0 << Row{{"group", K::GroupBox, "组", "box", 150, 300, 3000, 1500, -1, kNoState, nullptr, nullptr}, nullptr} << "group: no group box box before it";
        QTest::newRow("unknown buddy") << 2 << Row{{"box", K::TextBox, "", "group", 900, 300, 1200, 285, 2, kNoState, nullptr, "captoin"}, &Into<&C::box>} << "box: no label captoin";
        QTest::newRow("buddy not a label") << 2 << Row{{"box", K::TextBox, "", "group", 900, 300, 1200, 285, 2, kNoState, nullptr, "group"}, &Into<&C::box>} << "box: no label group";
        QTest::newRow("name used twice") << 4 << Row{{"buttons(0)", K::Button, "乙", nullptr, 1200, 1950, 855, 375, 0, kNoState, nullptr, nullptr}, &IntoElement<&C::buttons, 1>} << "buttons(0): the name is used twice";
        QTest::newRow("tab position used twice") << 4 << Row{{"buttons(1)", K::Button, "乙", nullptr, 1200, 1950, 855, 375, 1, kNoState, nullptr, nullptr}, &IntoElement<&C::buttons, 1>} << "buttons(1): tab position 1 is taken";
        QTest::newRow("member of another type") << 1 << Row{{"caption", K::Label, "数", "group", 150, 300, 750, 255, 3, kNoState, nullptr, nullptr}, &Into<&C::box>} << "caption: not of the type of the member it fills";
        // clang-format on
    }
    void unsoundTablesAreReported()
    {
        QFETCH(int, index);
        QFETCH(Row, row);
        QFETCH(QString, problem);
        QWidget client;
        const std::array<Row, 5> rows = WithRow(index, row);
        const BuiltForm<Controls> form = TryBuildForm(&client, std::span<const Row>(rows));
        QCOMPARE(form.problems, QStringList{problem});
        for (const Row& built : rows)
            QVERIFY2(client.findChild<QWidget*>(QString::fromLatin1(built.control.name)),
                     built.control.name);
    }

    // A window whose table does not resolve does not start, whatever the build type: the test
    // runs itself with a broken table and sees it end with the problem named.
    void unsoundFormEndsTheProgram()
    {
        if (qEnvironmentVariableIsSet("TALLYRA_BUILD_UNSOUND_FORM")) {
            QWidget client;
            const std::array<Row, 5> rows =
                WithRow(2, Row{{"box", K::TextBox, "", "grop", 900, 300, 1200, 285, 2, kNoState,
                                nullptr, nullptr},
                               &Into<&C::box>});
            BuildForm("the test form", &client, std::span<const Row>(rows));
            return; // still running: the parent sees a normal exit and fails
        }
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TALLYRA_BUILD_UNSOUND_FORM"), QStringLiteral("1"));
        // A report of the abort by a sanitizer is not what is tested here.
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("handle_abort=0"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("unsoundFormEndsTheProgram")});
        QVERIFY(child.waitForFinished(60000));
        const QString output =
            QString::fromLocal8Bit(child.readAllStandardError() + child.readAllStandardOutput());
        QVERIFY2(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0,
                 qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("The control table of the test form does not "
                                                "resolve: box: no group box grop before it")),
                 qPrintable(output));
    }
};

QTEST_MAIN(TestFormBuilder)
#include "test_form_builder.moc"
