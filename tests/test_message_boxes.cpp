// The real message boxes: caption, no icon, Chinese buttons, Yes the default.
#include "platform/message_boxes.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tallyra;

namespace {

struct SeenBox {
    QString title;
    QString text;
    bool modal = false;
    QAccessible::Role role = QAccessible::NoRole;
    QStringList spoken; // names a screen reader finds inside the box
    QMessageBox::Icon icon = QMessageBox::Information;
    QStringList buttons;
    QString defaultButton;
};

void collectNames(QAccessibleInterface* node, QStringList& names)
{
    names << node->text(QAccessible::Name);
    for (int i = 0; i < node->childCount(); ++i)
        collectNames(node->child(i), names);
}

// Waits for the modal box, notes what it shows, then answers it with `answer`.
void answerNextBox(SeenBox& seen, std::function<void(QMessageBox*)> answer)
{
    QTimer::singleShot(0, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(seen, answer);
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.modal = box->isModal();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
        seen.role = iface->role();
        collectNames(iface, seen.spoken);
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text();
        seen.buttons.sort();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        answer(box);
    });
}

QAbstractButton* buttonNamed(QMessageBox* box, const QString& text)
{
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestMessageBoxes : public QObject {
    Q_OBJECT

private slots:
    void informShowsOneOkButton()
    {
        QtMessageBoxes boxes;
        SeenBox seen;
        answerNextBox(seen, [](QMessageBox* box) { box->defaultButton()->click(); });
        boxes.inform(QStringLiteral("请先填写薪水!"));
        QCOMPARE(seen.title, QStringLiteral("Tallyra"));
        QCOMPARE(seen.text, QStringLiteral("请先填写薪水!"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, QStringList{"确定"});
    }

    // A real modal dialog, so that a screen reader announces it as an alert with its text.
    void boxIsAnnouncedWithItsText()
    {
        QtMessageBoxes boxes;
        SeenBox seen;
        answerNextBox(seen, [](QMessageBox* box) { box->defaultButton()->click(); });
        boxes.inform(QStringLiteral("保存成功！"));
        QVERIFY(seen.modal);
        QCOMPARE(seen.role, QAccessible::AlertMessage);
        QVERIFY(seen.spoken.contains(QStringLiteral("保存成功！")));
        QVERIFY(seen.spoken.contains(QStringLiteral("确定")));
    }

    void askYesNo_data()
    {
        QTest::addColumn<QString>("press"); // a button's text, or "Esc"
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes") << "是" << true;
        QTest::newRow("no") << "否" << false;
        QTest::newRow("escape means no") << "Esc" << false;
        QTest::newRow("enter takes the default, yes") << "Enter" << true;
    }
    void askYesNo()
    {
        QFETCH(QString, press);
        QFETCH(bool, answer);
        QtMessageBoxes boxes;
        SeenBox seen;
        answerNextBox(seen, [press](QMessageBox* box) {
            if (press == QLatin1String("Esc"))
                QTest::keyClick(box, Qt::Key_Escape);
            else if (press == QLatin1String("Enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else
                buttonNamed(box, press)->click();
        });
        QCOMPARE(boxes.askYesNo(QStringLiteral("您的三金为0，需要立刻按照当前方式计算吗？")),
                 answer);
        QCOMPARE(seen.title, QStringLiteral("Tallyra"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, (QStringList{"否", "是"}));
        QCOMPARE(seen.defaultButton, QStringLiteral("是"));
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "test_message_boxes.moc"
