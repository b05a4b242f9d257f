// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/translations.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace tallyra;

// Qt's own texts follow the Chinese interface: the text boxes' context menu and the standard
// buttons of dialogs and message boxes, whatever the locale the program runs in (the tests run
// in C.UTF-8).
class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallChineseTranslations(*qApp); }

    void lineEditContextMenu_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("caption");
        QTest::newRow("undo") << 0 << "撤消(&U)";
        QTest::newRow("redo") << 1 << "重做(&R)";
        QTest::newRow("cut") << 3 << "剪切(&T)";
        QTest::newRow("copy") << 4 << "复制(&C)";
        QTest::newRow("paste") << 5 << "粘贴(&P)";
        QTest::newRow("delete") << 6 << "删除";
        QTest::newRow("select all") << 8 << "全选";
    }
    void lineEditContextMenu()
    {
        QFETCH(int, position);
        QFETCH(QString, caption);
        QLineEdit edit(QStringLiteral("1500"));
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        const QList<QAction*> actions = menu->actions();
        QVERIFY(position < actions.size());
        // The text ends with a tab and the shortcut, which stay as they are.
        QCOMPARE(actions.at(position)->text().section(QLatin1Char('\t'), 0, 0), caption);
    }

    void standardButtons_data()
    {
        QTest::addColumn<QDialogButtonBox::StandardButton>("button");
        QTest::addColumn<QString>("caption");
        QTest::newRow("OK") << QDialogButtonBox::Ok << "确定";
        QTest::newRow("Cancel") << QDialogButtonBox::Cancel << "取消";
        QTest::newRow("Yes") << QDialogButtonBox::Yes << "是(&Y)";
        QTest::newRow("No") << QDialogButtonBox::No << "否(&N)";
    }
    void standardButtons()
    {
        QFETCH(QDialogButtonBox::StandardButton, button);
        QFETCH(QString, caption);
        QDialogButtonBox box(button);
        QCOMPARE(box.button(button)->text(), caption);
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
