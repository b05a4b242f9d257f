// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the user sees it: every control's place, caption, state and the Tab chain.
#include "tests/support/form_driver.h"
#include "ui/interface_font.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QTest>

using namespace tallyra;
using test::FormDriver;

namespace {

// Expected initial state flags after start-up, as letters: h hidden, d disabled, r read-only,
// b blue text, c chosen or ticked.
bool HasFlag(const QString& flags, char flag)
{
    return flags.contains(QLatin1Char(flag));
}

QString CaptionOf(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    return QString();
}

// The width a caption really takes when drawn: the text, plus an option's or a check box's
// indicator and its spacing, plus a button's or a group box's frame.
int NeededWidth(QWidget* w, const QString& caption)
{
    const int text = w->fontMetrics().horizontalAdvance(caption);
    QStyle* style = w->style();
    if (qobject_cast<QRadioButton*>(w))
        return text + style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
    if (qobject_cast<QCheckBox*>(w))
        return text + style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    if (qobject_cast<QPushButton*>(w))
        return text + 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
    if (qobject_cast<QGroupBox*>(w))
        return text + 16;
    return text;
}

QStringList FocusChain(FormDriver& d, int presses)
{
    QStringList names;
    for (int i = 0; i < presses; ++i) {
        QWidget* focused = QApplication::focusWidget();
        names << (focused ? focused->objectName() : QStringLiteral("<none>"));
        QTest::keyClick(focused ? focused : &d.form(), Qt::Key_Tab);
    }
    return names;
}

} // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplyInterfaceFont(); }
    void init() { test::UseChineseLocale(); }

    void windowFrame()
    {
        FormDriver d;
        QCOMPARE(d.form().windowTitle(), QStringLiteral("个人所得税计算器"));
        QCOMPARE(d.form().centralWidget()->size(), QSize(349, 477));
        QCOMPARE(d.form().minimumSize(), d.form().maximumSize()); // cannot be resized
        QVERIFY(!d.form().windowIcon().isNull());
        QVERIFY(!(d.form().windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    // Positions in pixels (twips / 15), relative to the client area or the group box.
    void controls_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption"); // caption, or the text after start-up
        QTest::addColumn<QString>("flags");
        auto row = [](const char* name, const char* parent, int x, int y, int w, int h,
                      const char* caption, const char* flags) {
            QTest::newRow(name) << QString::fromLatin1(parent) << QRect(x, y, w, h)
                                << QString::fromUtf8(caption) << QString::fromLatin1(flags);
        };
        row("CmdAbout", "client", 152, 0, 57, 25, "关于", "h");
        row("CmdCalSJ", "client", 216, 0, 89, 25, "计算三金", "h");
        row("frmae3", "client", 8, 8, 337, 41, "交税基数", "");
        row("OptType(0)", "client", 16, 24, 137, 17, "上海(1000 单位：元) ", "c");
        row("OptType(1)", "client", 168, 24, 57, 17, "其他", "");
        row("CmbJs", "client", 224, 24, 89, 20, "", "h");
        row("Frame1", "client", 8, 56, 337, 97, "输入", "");
        row("CmdExe", "client", 72, 160, 57, 25, "计算", "");
        row("CmdReset", "client", 136, 160, 57, 25, "重置", "");
        row("CmdClose", "client", 200, 160, 57, 25, "关闭", "");
        row("Frame3", "client", 8, 184, 337, 193, "四金结果", "");
        row("Frame2", "client", 8, 384, 337, 89, "薪资结果", "");
        row("cmbIfSQ", "Frame1", 8, 23, 81, 21, "税前", "");
        row("TxtSQ", "Frame1", 96, 24, 73, 19, "0", "");
        row("Label3", "Frame1", 176, 28, 89, 17, "补贴(可为负)", "");
        row("TxtAdd", "Frame1", 248, 24, 81, 19, "0", "");
        row("Label12", "Frame1", 8, 48, 97, 17, "四金计算方式：", "");
        row("OptSjType(0)", "Frame1", 88, 48, 73, 17, "按照税前", "c");
        row("OptSjType(1)", "Frame1", 160, 48, 89, 17, "按以下数字", "");
        row("TxtInputSJJS", "Frame1", 248, 48, 81, 19, "1200", "h");
        row("chkSj(0)", "Frame1", 8, 72, 65, 17, "公积金", "c");
        row("chkSj(1)", "Frame1", 83, 72, 81, 17, "养老保险", "c");
        row("chkSj(2)", "Frame1", 173, 72, 89, 17, "医疗保险", "c");
        row("chkSj(3)", "Frame1", 256, 72, 73, 17, "失业保险", "c");
        row("Label10", "Frame3", 8, 24, 97, 17, "个人部分：", "");
        row("Label11", "Frame3", 184, 24, 89, 17, "公司部分：", "");
        row("Label2(2)", "Frame3", 8, 40, 49, 17, "公积金", "d");
        row("TxtGJJ", "Frame3", 64, 40, 89, 19, "", "db");
        row("Label2(9)", "Frame3", 184, 40, 49, 17, "公积金", "d");
        row("TxtGSGJJ", "Frame3", 240, 40, 89, 19, "", "db");
        row("Label2(3)", "Frame3", 8, 64, 49, 17, "养老保险", "d");
        row("TxtYLJ", "Frame3", 64, 64, 89, 19, "", "db");
        row("Label2(8)", "Frame3", 184, 64, 49, 17, "养老保险", "d");
        row("TxtGSYLJ", "Frame3", 240, 64, 89, 19, "", "db");
        row("Label2(4)", "Frame3", 8, 88, 49, 17, "医疗保险", "d");
        row("TxtYLBX", "Frame3", 64, 88, 89, 19, "", "db");
        row("Label2(7)", "Frame3", 184, 88, 49, 17, "医疗保险", "d");
        row("TxtGSYLBX", "Frame3", 240, 88, 89, 19, "", "db");
        row("Label2(5)", "Frame3", 8, 112, 49, 17, "失业保险", "d");
        row("TxtSYBX", "Frame3", 64, 112, 89, 19, "", "db");
        row("Label2(6)", "Frame3", 184, 112, 49, 17, "失业保险", "d");
        row("TxtGSSYBX", "Frame3", 240, 112, 89, 19, "", "db");
        row("Line1", "Frame3", 0, 136, 336, 1, "", "");
        row("Label2(0)", "Frame3", 8, 144, 49, 17, "个人总计", "");
        row("Txt3J", "Frame3", 64, 144, 89, 19, "0", "rb");
        row("Label1", "Frame3", 184, 144, 49, 17, "公司总计", "");
        row("TxtCmp3J", "Frame3", 240, 144, 89, 19, "0", "rb");
        row("Label6", "Frame3", 32, 168, 25, 17, "总计", "");
        row("TxtTol3J", "Frame3", 64, 168, 89, 19, "0", "rb");
        row("ChkAlwaysCal3J", "Frame3", 184, 168, 129, 17, "每次都重新计算四金", "c");
        row("Label8", "Frame2", 8, 24, 49, 17, "税前薪水", "");
        row("TxtSQ2", "Frame2", 64, 24, 89, 19, "0", "rb");
        row("Label5", "Frame2", 184, 24, 65, 17, "税后薪资", "");
        row("TxtSh", "Frame2", 240, 24, 89, 19, "0", "rb");
        row("Label4", "Frame2", 8, 56, 49, 17, "所 得 税", "");
        row("TxtExe", "Frame2", 64, 56, 89, 19, "0", "rb");
        row("Label7", "Frame2", 184, 56, 49, 25, "实际现金", "");
        row("txtSJXJ", "Frame2", 240, 56, 89, 19, "0", "rb");
    }
    void controls()
    {
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(QString, flags);
        FormDriver d;
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QWidget* w = d.control(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->parentWidget()->objectName(), parent);
        QCOMPARE(w->geometry(), geometry);
        QCOMPARE(CaptionOf(w), caption);
        QCOMPARE(!w->isVisibleTo(&d.form()), HasFlag(flags, 'h'));
        QCOMPARE(!w->isEnabled(), HasFlag(flags, 'd'));
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            QCOMPARE(edit->isReadOnly(), HasFlag(flags, 'r'));
            const QColor text = edit->palette().color(QPalette::Active, QPalette::Text);
            QCOMPARE(text == QColor(0, 0, 255), HasFlag(flags, 'b'));
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable())
            QCOMPARE(button->isChecked(), HasFlag(flags, 'c'));
    }

    void everyControlIsNamedOnce()
    {
        FormDriver d;
        int named = 0;
        for (QWidget* w : d.form().centralWidget()->findChildren<QWidget*>()) {
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
                ++named;
        }
        QCOMPARE(named, 58);
    }

    // No caption is clipped at the interface font.
    void captionsFit()
    {
        FormDriver d;
        QStringList clipped;
        for (QWidget* w : d.form().centralWidget()->findChildren<QWidget*>()) {
            const QString caption = CaptionOf(w);
            if (caption.isEmpty() || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w))
                continue;
            const int needed = NeededWidth(w, caption);
            if (needed > w->width())
                clipped << QStringLiteral("%1 needs %2 of %3")
                               .arg(w->objectName())
                               .arg(needed)
                               .arg(w->width());
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    }

    void menus()
    {
        FormDriver d;
        QStringList seen;
        for (QAction* menuAction : d.form().menuBar()->actions()) {
            seen << menuAction->menu()->objectName() + QLatin1Char('=') + menuAction->text();
            for (QAction* entry : menuAction->menu()->actions())
                seen << entry->objectName() + QLatin1Char('=') +
                            (entry->isSeparator() ? QStringLiteral("-") : entry->text());
        }
        QCOMPARE(seen, (QStringList{"M_Set=设置", "M_SaveJS=保存交税基数",
                                    "M_Save3JJS=保存三金基数", "M_SaveBT=保存补贴数字", "sl3=-",
                                    "M_SaveAll=保存全部", "M_copy=帮助", "MC_about=关于(&A)",
                                    "MC_readme=Readme(&R)", "sl1=-", "MC_quit=退出(&Q)"}));
    }

    // Tab walks the tab positions, skipping what cannot take the focus and the option of a
    // group that is not chosen; the first focus is on "按照税前".
    void tabChain_data()
    {
        QTest::addColumn<bool>("otherThreshold");
        QTest::addColumn<QStringList>("chain");
        const QStringList tail{"CmdClose", "TxtSQ2", "TxtSh", "TxtExe", "txtSJXJ"};
        QTest::newRow("defaults") << false
                                  << QStringList{"OptSjType(0)", "CmdExe", "OptType(0)",
                                                 "CmdReset"} +
                                         tail +
                                         QStringList{"cmbIfSQ",  "TxtSQ",    "TxtAdd",
                                                     "TxtTol3J", "TxtCmp3J", "ChkAlwaysCal3J",
                                                     "Txt3J",    "chkSj(3)", "chkSj(2)",
                                                     "chkSj(1)", "chkSj(0)", "OptSjType(0)"};
        QTest::newRow("other threshold")
            << true
            << QStringList{"OptSjType(0)",   "CmdExe",      "CmdReset",   "CmdClose", "TxtSQ2",
                           "TxtSh",          "TxtExe",      "OptType(1)", "txtSJXJ",  "CmbJs",
                           "cmbIfSQ",        "TxtSQ",       "TxtAdd",     "TxtTol3J", "TxtCmp3J",
                           "ChkAlwaysCal3J", "Txt3J",       "chkSj(3)",   "chkSj(2)", "chkSj(1)",
                           "chkSj(0)",       "OptSjType(0)"};
    }
    void tabChain()
    {
        QFETCH(bool, otherThreshold);
        QFETCH(QStringList, chain);
        FormDriver d;
        if (otherThreshold)
            d.setChecked(QStringLiteral("OptType(1)"), true);
        d.form().show();
        QApplication::setActiveWindow(&d.form());
        QVERIFY(QTest::qWaitForWindowActive(&d.form()));
        d.control(QStringLiteral("OptSjType(0)"))->setFocus(Qt::TabFocusReason);
        QCOMPARE(FocusChain(d, chain.size()), chain);
    }

    void firstFocusIsOnTheFirstTabStop()
    {
        FormDriver d;
        d.form().show();
        QApplication::setActiveWindow(&d.form());
        QVERIFY(QTest::qWaitForWindowActive(&d.form()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("OptSjType(0)"));
    }
};

QTEST_MAIN(TestWindowLayout)
#include "test_window_layout.moc"
