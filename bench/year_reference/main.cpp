// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the year planner's start-up: its first screen as plain widgets with the same
// texts and no logic — the menu bar, the visible part of the form (the profile bar, the income
// and the contribution groups, the top of the next), the month table with its thirteen rows of
// the default year, January's explanation under it, the line below, and the status bar — at
// the planner's first size. Nothing is computed, read or kept; the pages behind the other tabs
// are empty.
#include "ui/interface_font.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

// A line of a row: "[text]" a box (a placeholder where it starts with "~"), "<text>" a list,
// "{text}" a button, "(text)" a radio button, else words between them.
QWidget* Line(std::initializer_list<const char*> parts)
{
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const char* part : parts) {
        const QString text = QString::fromUtf8(part);
        if (text.startsWith(QLatin1Char('['))) {
            auto* edit = new QLineEdit;
            const QString inside = text.mid(1, text.size() - 2);
            if (inside.startsWith(QLatin1Char('~')))
                edit->setPlaceholderText(inside.mid(1));
            else
                edit->setText(inside);
            layout->addWidget(edit);
        } else if (text.startsWith(QLatin1Char('<'))) {
            auto* box = new QComboBox;
            box->addItem(text.mid(1, text.size() - 2));
            layout->addWidget(box);
        } else if (text.startsWith(QLatin1Char('{'))) {
            layout->addWidget(new QPushButton(text.mid(1, text.size() - 2)));
        } else if (text.startsWith(QLatin1Char('('))) {
            layout->addWidget(new QRadioButton(text.mid(1, text.size() - 2)));
        } else {
            layout->addWidget(new QLabel(text));
        }
    }
    layout->addStretch();
    return line;
}

QGroupBox* Group(const char* title)
{
    auto* group = new QGroupBox(QString::fromUtf8(title));
    new QFormLayout(group);
    return group;
}

void Row(QGroupBox* group, const char* caption, std::initializer_list<const char*> parts)
{
    auto* form = static_cast<QFormLayout*>(group->layout());
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->addRow(QString::fromUtf8(caption), Line(parts));
}

void More(QGroupBox* group, std::initializer_list<const char*> parts)
{
    static_cast<QFormLayout*>(group->layout())->addRow(QString(), Line(parts));
}

QWidget* Form()
{
    auto* form = new QWidget;
    auto* groups = new QVBoxLayout(form);
    groups->addWidget(Line({"方案(&N)", "<如：上海 2026、offer A>", "{保存}", "{删除}"}));
    QGroupBox* income = Group("收入与年终奖");
    Row(income, "年份(&Y)", {"<2026年>", "2019年起 累计预扣法；年终奖可单独计税"});
    Row(income, "入职月份(&M)", {"<1月>", "本年在本单位开始任职的月份"});
    Row(income, "月工资(&W)", {"[10000]", "元", "税前；某月不同可在明细表中改"});
    Row(income, "年终奖(&B)", {"[~0]", "元，发放于", "<12月>"});
    More(income, {"计税", "(单独计税)", "(并入综合所得)"});
    groups->addWidget(income);
    QGroupBox* contributions = Group("社保与公积金");
    Row(contributions, "社保基数(&K)", {"[~按工资]", "元", "空：按当月工资"});
    Row(contributions, "社保基数上下限(&1)", {"[~无下限]", "至", "[~无上限]"});
    Row(contributions, "公积金基数(&G)", {"[~按工资]", "元", "空：按当月工资"});
    Row(contributions, "公积金基数上下限(&2)", {"[~无下限]", "至", "[~无上限]"});
    More(contributions, {"当地上年月平均工资", "[~未填]", "元"});
    Row(contributions, "养老保险(&L)", {"个人", "[8]", "%  单位", "[16]", "%"});
    Row(contributions, "医疗保险(&D)", {"个人", "[2]", "%  单位", "[6]", "%"});
    Row(contributions, "失业保险(&U)", {"个人", "[0.5]", "%  单位", "[0.5]", "%"});
    Row(contributions, "工伤保险(&3)", {"单位", "[0.2]", "%"});
    Row(contributions, "住房公积金(&Z)", {"个人", "[7]", "%  单位", "[7]", "%"});
    More(contributions, {"补充 个人", "[0]", "%  单位", "[0]", "%"});
    Row(contributions, "企业年金(&J)", {"个人", "[0]", "%  单位", "[0]", "%"});
    More(contributions, {"基数", "[~按工资]", "元", "个人 4% 以内扣除"});
    groups->addWidget(contributions);
    QGroupBox* special = Group("专项附加扣除");
    Row(special, "子女教育(&C)", {"<0>", "人", "<本人扣 100%>", "每人每月 2000 元"});
    groups->addWidget(special);
    groups->addStretch();
    auto* scroll = new QScrollArea;
    scroll->setWidget(form);
    scroll->setWidgetResizable(true);
    return scroll;
}

QTableWidget* MonthTable()
{
    const QStringList headers = {QStringLiteral("月份"),
                                 QStringLiteral("工资"),
                                 QStringLiteral("年终奖"),
                                 QStringLiteral("个人社保\n公积金"),
                                 QStringLiteral("累计应纳税\n所得额"),
                                 QStringLiteral("税率"),
                                 QStringLiteral("本月\n预扣税"),
                                 QStringLiteral("年终奖\n单独计税"),
                                 QStringLiteral("税后\n收入"),
                                 QStringLiteral("单位\n总成本")};
    auto* table = new QTableWidget(13, int(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    const char* const cumulative[] = {"3,250.00",  "6,500.00",  "9,750.00",  "13,000.00",
                                      "16,250.00", "19,500.00", "22,750.00", "26,000.00",
                                      "29,250.00", "32,500.00", "35,750.00", "39,000.00"};
    for (int month = 0; month < 12; ++month) {
        const bool last = month == 11;
        const QStringList cells = {QStringLiteral("%1月").arg(month + 1),
                                   QStringLiteral("10,000.00"),
                                   QString(),
                                   QStringLiteral("1,750.00"),
                                   QString::fromUtf8(cumulative[month]),
                                   last ? QStringLiteral("10% ↑") : QStringLiteral("3%"),
                                   last ? QStringLiteral("307.50") : QStringLiteral("97.50"),
                                   QString(),
                                   last ? QStringLiteral("7,942.50") : QStringLiteral("8,152.50"),
                                   QStringLiteral("12,970.00")};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(month, column, new QTableWidgetItem(cells[column]));
    }
    const QStringList totals = {QStringLiteral("全年合计"),
                                QStringLiteral("120,000.00"),
                                QStringLiteral("0.00"),
                                QStringLiteral("21,000.00"),
                                QString(),
                                QString(),
                                QStringLiteral("1,380.00"),
                                QStringLiteral("0.00"),
                                QStringLiteral("97,620.00"),
                                QStringLiteral("155,640.00")};
    for (int column = 0; column < totals.size(); ++column)
        table->setItem(12, column, new QTableWidgetItem(totals[column]));
    table->resizeColumnsToContents();
    return table;
}

QString JanuaryExplanation()
{
    const char* const lines[][2] = {
        {"累计收入（1月工资）", "10,000.00"},
        {"减：累计减除费用（5,000 元 × 1 个月）", "5,000.00"},
        {"减：累计专项扣除（个人社保公积金，本月 1,750）", "1,750.00"},
        {"减：累计专项附加扣除（无）", "0.00"},
        {"＝ 累计预扣预缴应纳税所得额", "3,250.00"},
        {"落在预扣率表第1级（不超过 36,000 元）：预扣率 3%，速算扣除数 0", ""},
        {"累计应纳税额 = 3,250.00 × 3% − 0", "97.50"},
        {"减：已预扣（本年首月，无）", "0.00"},
        {"＝ 本月应预扣预缴税额", "97.50"},
        {"税后收入 = 工资 − 个人社保公积金 − 本月预扣税", "8,152.50"},
    };
    QString html = QStringLiteral("<p><b>1月预扣预缴税额的计算（累计预扣法）</b></p><table>");
    for (const auto& line : lines)
        html += QStringLiteral("<tr><td>%1</td><td align=right>%2</td></tr>")
                    .arg(QString::fromUtf8(line[0]), QString::fromUtf8(line[1]));
    return html + QStringLiteral("</table><p><b>本月社保公积金明细</b></p>");
}

QWidget* TablePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(MonthTable());
    auto* explanation = new QTextBrowser;
    explanation->setHtml(JanuaryExplanation());
    split->addWidget(explanation);
    layout->addWidget(split, 1);
    layout->addWidget(
        Line({"从所选月份起工资都改为(&T)", "[~金额]", "元", "{应用}", "{恢复每月相同(&R)}"}));
    return page;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tallyra::AddChineseFace(); // as the planner: the desktop's font, the Chinese face first
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("年度个税计算"));
    for (const char* menu : {"文件(&F)", "方案(&S)", "查看(&V)", "帮助(&H)"})
        window.menuBar()->addMenu(QString::fromUtf8(menu));
    auto* split = new QSplitter;
    split->addWidget(Form());
    auto* tabs = new QTabWidget;
    tabs->addTab(TablePage(), QStringLiteral("逐月明细"));
    for (const char* tab :
         {"图表", "年终奖", "年度汇算", "税后倒推", "历年税法", "方案对比", "最优分配", "工资条"})
        tabs->addTab(new QWidget, QString::fromUtf8(tab));
    split->addWidget(tabs);
    split->setSizes({400, 880});
    window.setCentralWidget(split);
    window.statusBar()->addWidget(new QLabel(QStringLiteral(
        "全年到手（汇算后）97,620.00 元 | 全年预扣个税 1,380.00 元 | 年度汇算：无需退补")));
    window.resize(1280, 800);
    window.show();
    return QApplication::exec();
}
