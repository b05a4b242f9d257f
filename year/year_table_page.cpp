#include "year/year_table_page.h"

#include "year/amount_text.h"
#include "year/month_explanation.h"
#include "year/palette_colors.h"
#include "year/year_table_model.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tallyra::year {

YearTablePage::YearTablePage(YearTableModel* model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , table_(new QTableView)
    , fromEdit_(new QLineEdit)
    , fromButton_(new QPushButton(QStringLiteral("应用(&A)")))
    , clearButton_(new QPushButton(QStringLiteral("恢复每月相同(&R)")))
    , fromHint_(new QLabel)
    , explanation_(new QTextBrowser)
{
    table_->setObjectName(QStringLiteral("yearTable"));
    table_->setAccessibleName(QStringLiteral("全年逐月明细"));
    table_->setAccessibleDescription(
        QStringLiteral("每月一行，最后一行为全年合计；工资一栏可按 F2 修改"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setTabKeyNavigation(false); // Tab leaves the table; the arrows move within it
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Every column as wide as its figures at the user's font; none squeezed to fill the view.
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(true);

    fromEdit_->setObjectName(QStringLiteral("wagesFromEdit"));
    fromEdit_->setAccessibleName(QStringLiteral("从所选月份起工资都改为"));
    fromEdit_->setPlaceholderText(QStringLiteral("金额"));
    fromEdit_->setMaximumWidth(
        fromEdit_->fontMetrics().horizontalAdvance(QStringLiteral("000,000,000.00")) + 16);
    fromButton_->setObjectName(QStringLiteral("wagesFromButton"));
    clearButton_->setObjectName(QStringLiteral("clearWageEditsButton"));
    fromHint_->setObjectName(QStringLiteral("wagesFromHint"));
    fromHint_->setWordWrap(true);
    auto* caption = new QLabel(QStringLiteral("从所选月份起工资都改为(&T)"));
    caption->setBuddy(fromEdit_);
    auto* line = new QHBoxLayout;
    line->addWidget(caption);
    line->addWidget(fromEdit_);
    line->addWidget(new QLabel(QStringLiteral("元")));
    line->addWidget(fromButton_);
    line->addWidget(clearButton_);
    line->addWidget(fromHint_, 1);

    explanation_->setObjectName(QStringLiteral("monthExplanation"));
    explanation_->setAccessibleName(QStringLiteral("所选月份的计算过程"));
    explanation_->setOpenLinks(false);
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(table_);
    split->addWidget(explanation_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(line);

    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &YearTablePage::explainSelected);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &YearTablePage::checkWagesFrom);
    connect(fromEdit_, &QLineEdit::textChanged, this, &YearTablePage::checkWagesFrom);
    connect(fromEdit_, &QLineEdit::returnPressed, fromButton_, &QPushButton::click);
    connect(fromButton_, &QPushButton::clicked, this, [this] {
        const AmountReading r = ReadAmount(fromEdit_->text());
        if (r.value && selectedMonth() > 0)
            emit wagesFromRequested(selectedMonth(), *r.value);
    });
    connect(clearButton_, &QPushButton::clicked, this, &YearTablePage::clearEditsRequested);
    checkWagesFrom();
}

int YearTablePage::selectedMonth() const
{
    const QModelIndex current = table_->currentIndex();
    return current.isValid() && current.row() < YearTableModel::kTotalsRow ? current.row() + 1 : 0;
}

void YearTablePage::selectMonth(int month)
{
    table_->setCurrentIndex(model_->index(month - 1, YearTableModel::Wage));
}

void YearTablePage::showPlan(const law::YearPlanInput* input, const law::YearPlan* plan,
                             const QStringList& problems)
{
    input_ = input;
    plan_ = plan;
    problems_ = problems;
    explainSelected();
    checkWagesFrom();
}

void YearTablePage::showWageProblem(const QString& reason)
{
    fromHint_->setText(reason);
    QPalette palette = fromHint_->palette();
    palette.setColor(QPalette::WindowText, WarningText(this->palette()));
    fromHint_->setPalette(palette);
}

void YearTablePage::explainSelected()
{
    if (!plan_ || !input_) {
        QString html = QStringLiteral("<p><b>输入有误，暂不计算：</b></p><ul>");
        for (const QString& problem : problems_)
            html += QStringLiteral("<li>%1</li>").arg(problem.toHtmlEscaped());
        explanation_->setHtml(html + QStringLiteral("</ul>"));
        return;
    }
    const int month = selectedMonth();
    if (month == 0) {
        explanation_->setHtml(
            QStringLiteral("<p>在上表中选择一个月份（方向键上下移动），这里逐步说明"
                           "该月的税是怎样算出来的。</p>"));
        return;
    }
    explanation_->setHtml(ExplainMonth(*input_, *plan_, month));
}

void YearTablePage::checkWagesFrom()
{
    const bool typed = !fromEdit_->text().trimmed().isEmpty();
    const AmountReading r = ReadAmount(fromEdit_->text());
    const bool ready = typed && r.value && selectedMonth() > 0 && plan_;
    fromButton_->setEnabled(ready);
    fromHint_->setPalette(palette());
    if (typed && !r.value)
        showWageProblem(r.reason);
    else if (selectedMonth() == 0)
        fromHint_->setText(QStringLiteral("先在表中选择月份"));
    else
        fromHint_->setText(QString());
}

} // namespace tallyra::year
