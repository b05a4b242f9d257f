// SPDX-License-Identifier: GPL-3.0-or-later
// The real message boxes: caption, no icon, Chinese buttons, Yes the default, access keys, and
// room for the caption and the text.
#include "about/about_messages.h"
#include "platform/message_boxes.h"
#include "settings/settings_messages.h"
#include "window/window_messages.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
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
    int width = 0;
    int textLines = 0;
    bool unanswered = false; // still open two seconds after the answer, and closed then
};

// The lines the box's text takes, as laid out.
int LinesOf(QMessageBox* box)
{
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    return qRound(qreal(label->height()) / label->fontMetrics().lineSpacing());
}

void CollectNames(QAccessibleInterface* node, QStringList& names)
{
    names << node->text(QAccessible::Name);
    for (int i = 0; i < node->childCount(); ++i)
        CollectNames(node->child(i), names);
}

// Waits for the modal box, notes what it shows, then answers it with `answer`.
void AnswerNextBox(SeenBox& seen, std::function<void(QMessageBox*)> answer)
{
    QTimer::singleShot(0, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            AnswerNextBox(seen, answer);
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.modal = box->isModal();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
        seen.role = iface->role();
        CollectNames(iface, seen.spoken);
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text();
        seen.buttons.sort();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        seen.width = box->width();
        seen.textLines = LinesOf(box);
        answer(box);
    });
}

QAbstractButton* ButtonNamed(QMessageBox* box, const QString& text)
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
        AnswerNextBox(seen, [](QMessageBox* box) { box->defaultButton()->click(); });
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
        AnswerNextBox(seen, [](QMessageBox* box) { box->defaultButton()->click(); });
        boxes.inform(QStringLiteral("保存成功！"));
        QVERIFY(seen.modal);
        QCOMPARE(seen.role, QAccessible::AlertMessage);
        QVERIFY(seen.spoken.contains(QStringLiteral("保存成功！")));
        QVERIFY(seen.spoken.contains(QStringLiteral("确定")));
    }

    // Chinese Windows answers its questions with Y and N, with or without Alt; Enter takes the
    // default, Yes; Esc means No. Answered through the real box, with real keys.
    void askYesNo_data()
    {
        QTest::addColumn<QString>("press"); // a button's text, or keys
        QTest::addColumn<bool>("answer");
        QTest::newRow("click yes") << "是(&Y)" << true;
        QTest::newRow("click no") << "否(&N)" << false;
        QTest::newRow("Y") << "Y" << true;
        QTest::newRow("N") << "N" << false;
        QTest::newRow("Alt+Y") << "Alt+Y" << true;
        QTest::newRow("Alt+N") << "Alt+N" << false;
        QTest::newRow("enter takes the default, yes") << "Return" << true;
        QTest::newRow("escape means no") << "Esc" << false;
    }
    void askYesNo()
    {
        QFETCH(QString, press);
        QFETCH(bool, answer);
        QtMessageBoxes boxes;
        SeenBox seen;
        AnswerNextBox(seen, [press, &seen](QMessageBox* box) {
            if (QAbstractButton* button = ButtonNamed(box, press)) {
                button->click();
                return;
            }
            QApplication::setActiveWindow(box);
            const QKeyCombination keys = QKeySequence(press)[0];
            QTest::keyClick(box, keys.key(), keys.keyboardModifiers());
            QTimer::singleShot(2000, box, [box, &seen] {
                seen.unanswered = true;
                box->reject();
            });
        });
        const bool yes =
            boxes.askYesNo(QStringLiteral("您的三金为0，需要立刻按照当前方式计算吗？"));
        QVERIFY(!seen.unanswered);
        QCOMPARE(yes, answer);
        QCOMPARE(seen.title, QStringLiteral("Tallyra"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, (QStringList{"否(&N)", "是(&Y)"}));
        QCOMPARE(seen.defaultButton, QStringLiteral("是(&Y)"));
    }

    // Every message: wide enough for a title bar to show the caption whole beside the window
    // manager's icon and buttons (openbox cut "Tallyra" in boxes up to 175 pixels wide), and
    // its text on one line.
    void roomForCaptionAndText_data()
    {
        QTest::addColumn<QString>("text");
        const QString texts[] = {
            window_messages::SalaryFirst(),
            window_messages::WrongDataType(),
            window_messages::FundsExceedSalary(),
            window_messages::MustNotBeNegative(),
            window_messages::ThresholdNegative(),
            window_messages::ChooseThreshold(),
            window_messages::FillInSalary(),
            window_messages::ComputeFundsNow(),
            window_messages::FundsSalaryFirst(),
            window_messages::FundsBaseInvalid(),
            window_messages::FigureTooLarge(),
            window_messages::ReadmeCannotOpen(QStringLiteral("/usr/share/tallyra/readme.txt")),
            settings_messages::Saved(),
            settings_messages::TaxBaseNotNumeric(),
            settings_messages::FundsBaseNotNumeric(),
            settings_messages::SubsidyNotNumeric(),
            settings_messages::NotWritten(settings_messages::FundsBase()),
            about_messages::SysInfoUnavailable()};
        for (const QString& text : texts)
            QTest::newRow(qPrintable(text)) << text;
    }
    void roomForCaptionAndText()
    {
        QFETCH(QString, text);
        QtMessageBoxes boxes;
        SeenBox seen;
        AnswerNextBox(seen, [](QMessageBox* box) { box->defaultButton()->click(); });
        boxes.inform(text);
        QFont title = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        title.setBold(true);
        const int caption = QFontMetrics(title).horizontalAdvance(seen.title);
        QVERIFY2(seen.width >= caption + 150, qPrintable(QString::number(seen.width)));
        QCOMPARE(seen.textLines, 1);
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "test_message_boxes.moc"
