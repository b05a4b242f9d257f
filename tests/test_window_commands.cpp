// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the threshold choice, Reset, Close and Readme on the real main window.
#include "tests/support/form_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTest>

using namespace tallyra;
using test::FormDriver;

namespace {

QStringList Items(const FormDriver& d, const QString& name)
{
    QStringList list;
    auto* combo = d.control<QComboBox>(name);
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

bool Shown(const FormDriver& d, const QString& name)
{
    return d.control(name)->isVisibleTo(const_cast<FormDriver&>(d).form().centralWidget());
}

const QStringList kZeroedBoxes{"TxtSQ",    "TxtAdd",   "Txt3J",     "TxtSQ2",    "TxtExe",
                               "TxtSh",    "txtSJXJ",  "TxtGJJ",    "TxtYLJ",    "TxtYLBX",
                               "TxtSYBX",  "TxtGSGJJ", "TxtGSSYBX", "TxtGSYLBX", "TxtGSYLJ",
                               "TxtCmp3J", "TxtTol3J"};

QList<frmAbout*> AboutBoxes()
{
    QList<frmAbout*> boxes;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<frmAbout*>(w))
            boxes << box;
    }
    return boxes;
}

} // namespace

class TestWindowCommands : public QObject {
    Q_OBJECT

private slots:
    void init() { test::UseChineseLocale(); }

    void startState()
    {
        FormDriver d;
        for (const char* name : {"TxtSQ", "TxtAdd", "Txt3J", "TxtSQ2", "TxtExe", "TxtSh", "txtSJXJ",
                                 "TxtCmp3J", "TxtTol3J"})
            QCOMPARE(d.text(QString::fromLatin1(name)), QStringLiteral("0"));
        QCOMPARE(d.text(QStringLiteral("TxtGJJ")), QString());
        QCOMPARE(Items(d, QStringLiteral("cmbIfSQ")), (QStringList{"税前", "税后"}));
        QCOMPARE(d.control<QComboBox>(QStringLiteral("cmbIfSQ"))->currentIndex(), 0);
        QVERIFY(!Shown(d, QStringLiteral("CmbJs")));
        QCOMPARE(Items(d, QStringLiteral("CmbJs")), QStringList());
        QVERIFY(!Shown(d, QStringLiteral("TxtInputSJJS")));
        QCOMPARE(d.messages().shown, QStringList());
    }

    // The list holds each standard value once, however often "其他" is chosen, and a typed
    // threshold survives hiding and showing.
    void otherThresholdShowsTheList()
    {
        FormDriver d;
        d.click(QStringLiteral("OptType(1)"));
        QVERIFY(Shown(d, QStringLiteral("CmbJs")));
        QCOMPARE(d.text(QStringLiteral("CmbJs")), QString());
        QCOMPARE(Items(d, QStringLiteral("CmbJs")), (QStringList{"800", "1000", "1200", "1400"}));
        d.setText(QStringLiteral("CmbJs"), QStringLiteral("1500"));
        d.click(QStringLiteral("OptType(0)"));
        QVERIFY(!Shown(d, QStringLiteral("CmbJs")));
        d.click(QStringLiteral("OptType(1)"));
        QCOMPARE(d.text(QStringLiteral("CmbJs")), QStringLiteral("1500"));
        QCOMPARE(Items(d, QStringLiteral("CmbJs")), (QStringList{"800", "1000", "1200", "1400"}));
    }

    void pickingAThresholdFromTheListIsUsed()
    {
        FormDriver d;
        d.click(QStringLiteral("OptType(1)"));
        d.control<QComboBox>(QStringLiteral("CmbJs"))->setCurrentIndex(0); // 800
        d.enterWithFixedFunds(QStringLiteral("2900"), QStringLiteral("300"), QStringLiteral("0"));
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.text(QStringLiteral("TxtExe")), QStringLiteral("145"));
    }

    // While the standard option is chosen a number left in the hidden list is not used.
    void hiddenThresholdIsIgnored()
    {
        FormDriver d;
        d.click(QStringLiteral("OptType(1)"));
        d.setText(QStringLiteral("CmbJs"), QStringLiteral("800"));
        d.click(QStringLiteral("OptType(0)"));
        d.enterWithFixedFunds(QStringLiteral("3000"), QStringLiteral("300"), QStringLiteral("0"));
        d.click(QStringLiteral("CmdExe"));
        QCOMPARE(d.form().state().mTaxBase, 1000.0f);
        QCOMPARE(d.text(QStringLiteral("TxtExe")), QStringLiteral("145"));
    }

    // Enter in the threshold box adds nothing to its list.
    void enterInThresholdBoxAddsNoItem()
    {
        FormDriver d;
        d.click(QStringLiteral("OptType(1)"));
        d.setText(QStringLiteral("CmbJs"), QStringLiteral("1500"));
        QTest::keyClick(d.control(QStringLiteral("CmbJs")), Qt::Key_Return);
        QCOMPARE(Items(d, QStringLiteral("CmbJs")).size(), 4);
    }

    void resetFromADirtyWindow()
    {
        FormDriver d;
        d.setText(QStringLiteral("TxtSQ"), QStringLiteral("12345.67"));
        d.setText(QStringLiteral("TxtAdd"), QStringLiteral("150"));
        d.click(QStringLiteral("CmdExe"));
        d.click(QStringLiteral("OptType(1)"));
        d.setText(QStringLiteral("CmbJs"), QStringLiteral("1500"));
        d.click(QStringLiteral("OptSjType(1)"));
        d.setText(QStringLiteral("TxtInputSJJS"), QStringLiteral("2000"));
        d.setChecked(QStringLiteral("chkSj(1)"), false);
        d.setChecked(QStringLiteral("chkSj(3)"), false);
        d.setChecked(QStringLiteral("ChkAlwaysCal3J"), false);
        d.chooseDirection(1);
        const float taxBefore = d.form().state().mTax;

        d.click(QStringLiteral("CmdReset"));

        for (const QString& name : kZeroedBoxes)
            QCOMPARE(d.text(name), QStringLiteral("0"));
        for (int i = 0; i < 4; ++i)
            QVERIFY(d.control<QCheckBox>(QStringLiteral("chkSj(%1)").arg(i))->isChecked());
        QVERIFY(d.control<QRadioButton>(QStringLiteral("OptType(0)"))->isChecked());
        QVERIFY(!Shown(d, QStringLiteral("CmbJs")));
        QCOMPARE(d.text(QStringLiteral("CmbJs")), QStringLiteral("1500"));
        // Left as the user had them:
        QVERIFY(d.control<QRadioButton>(QStringLiteral("OptSjType(1)"))->isChecked());
        QVERIFY(Shown(d, QStringLiteral("TxtInputSJJS")));
        QCOMPARE(d.text(QStringLiteral("TxtInputSJJS")), QStringLiteral("2000"));
        QVERIFY(!d.control<QCheckBox>(QStringLiteral("ChkAlwaysCal3J"))->isChecked());
        QCOMPARE(d.control<QComboBox>(QStringLiteral("cmbIfSQ"))->currentIndex(), 1);
        const FormState& state = d.form().state();
        QCOMPARE(state.mSalary, 0.0f);
        QVERIFY(state.mThreeFunds.visit(
            [](auto total) { return std::is_same_v<decltype(total), float> && total == 0.0f; }));
        QCOMPARE(state.mSubsidy, 0.0f);
        QCOMPARE(state.mTax, taxBefore);
        QCOMPARE(d.messages().shown, QStringList());
    }

    void closeCommandsCloseWithoutAsking_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("button") << "CmdClose";
        QTest::newRow("menu") << "MC_quit";
    }
    void closeCommandsCloseWithoutAsking()
    {
        QFETCH(QString, how);
        FormDriver d;
        d.form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
        d.setText(QStringLiteral("TxtAdd"), QStringLiteral("-200"));
        if (how.startsWith(QLatin1String("Cmd")))
            d.click(how);
        else
            d.triggerMenu(how);
        QVERIFY(!d.form().isVisible());
        QCOMPARE(d.messages().shown, QStringList());
        QVERIFY(d.memoryStore().entries.isEmpty()); // nothing saved on the way
    }

    // The readme the program's files name opens in the desktop's viewer, the calculator not
    // waiting for it; on Windows in Notepad, maximized, given the whole path as its one argument.
    void readmeOpensInTheViewer()
    {
        FormDriver d;
        d.triggerMenu(QStringLiteral("MC_readme"));
#ifdef Q_OS_WIN
        QCOMPARE(d.launcher().opened, QStringList());
        QCOMPARE(d.launcher().started,
                 (QStringList{QStringLiteral("notepad.exe"),
                              QDir::toNativeSeparators(d.programFiles().readmePath())}));
        QCOMPARE(d.launcher().windows, QList<FirstWindow>{FirstWindow::Maximized});
#else
        QCOMPARE(d.launcher().opened, QStringList{d.programFiles().readmePath()});
#endif
        QCOMPARE(d.messages().shown, QStringList());
    }

    // One About box, however often it is asked for; it has no owner and the calculator stays
    // usable; closing the calculator leaves it open.
    void oneAboutBox()
    {
        FormDriver d;
        d.form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
        d.triggerMenu(QStringLiteral("MC_about"));
        d.triggerMenu(QStringLiteral("MC_about"));
        d.form().CmdAbout_Click();
        const QList<frmAbout*> boxes = AboutBoxes();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes.first()->isVisible());
        QCOMPARE(boxes.first()->parentWidget(), nullptr);
        QVERIFY(!boxes.first()->isModal());
        QCOMPARE(boxes.first()->windowTitle(), QStringLiteral("关于 Tallyra"));

        d.click(QStringLiteral("CmdClose"));
        QVERIFY(!d.form().isVisible());
        QVERIFY(boxes.first()->isVisible());
        QVERIFY(!QApplication::closingDown());
    }

    void aboutBoxOpensAgainAfterClosing()
    {
        FormDriver d;
        d.triggerMenu(QStringLiteral("MC_about"));
        AboutBoxes().first()->close();
        QTRY_COMPARE(AboutBoxes().size(), 0); // unloaded: deleted once closed
        d.triggerMenu(QStringLiteral("MC_about"));
        QCOMPARE(AboutBoxes().size(), 1);
    }

    void readmeThatCannotOpenIsReported()
    {
        FormDriver d;
        d.launcher().succeed = false;
        d.triggerMenu(QStringLiteral("MC_readme"));
        QCOMPARE(d.messages().shown,
                 QStringList{QStringLiteral("无法打开说明文件：") +
                             QDir::toNativeSeparators(d.programFiles().readmePath())});
    }
};

QTEST_MAIN(TestWindowCommands)
#include "test_window_commands.moc"
