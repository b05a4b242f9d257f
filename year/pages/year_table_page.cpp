// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/year_table_page.h"

#include "year/amount_text.h"
#include "year/pages/line_header.h"
#include "year/pages/month_explanation.h"
#include "year/pages/year_table_model.h"
#include "year/planner_colours.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <string_view>

namespace tallyra::year {

namespace {

bool IsAnnuityColumn(int column)
{
    return column == YearTableModel::Annuity || column == YearTableModel::EmployerAnnuity;
}

} // namespace

YearTablePage::YearTablePage(YearTableModel* model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , table_(new QTableView)
    , fromEdit_(new QLineEdit)
    // No access key of its own: Enter in the amount applies it, and the window has no letter
    // or digit left over.
    , fromButton_(new QPushButton(QStringLiteral("应用")))
    , clearButton_(new QPushButton(QStringLiteral("恢复每月相同(&R)")))
    , fromHint_(new QLabel)
    , staleNote_(new QLabel)
    , explanation_(new QTextBrowser)
{
    table_->setObjectName(QStringLiteral("yearTable"));
    table_->setHorizontalHeader(new LineHeader(2, table_));
    table_->setAccessibleName(QStringLiteral("全年逐月明细"));
    table_->setAccessibleDescription(
        QStringLiteral("每月一行，最后一行为全年合计；工资一栏可按 F2 修改"));
    table_->setModel(model_);
    // Cells, so that the cell the keys go to (F2 edits a wage) is the one marked.
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setTabKeyNavigation(false); // Tab leaves the table; the arrows move within it
    table_->verticalHeader()->hide();
    // Rows as high as one line of text needs, so that the twelve months and the year fit in view.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->viewport()->installEventFilter(this);
    table_->installEventFilter(this);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(true);
    itemColumnsAction_ = new QAction(QStringLiteral("显示社保公积金分项(&C)"), this);
    itemColumnsAction_->setObjectName(QStringLiteral("itemColumnsAction"));
    itemColumnsAction_->setCheckable(true);
    connect(itemColumnsAction_, &QAction::toggled, this, &YearTablePage::setItemColumnsShown);
    // A right click on the header offers it too.
    table_->horizontalHeader()->setContextMenuPolicy(Qt::ActionsContextMenu);
    table_->horizontalHeader()->addAction(itemColumnsAction_);
    setItemColumnsShown(false);

    fromEdit_->setObjectName(QStringLiteral("wagesFromEdit"));
    fromEdit_->setAccessibleName(QStringLiteral("从所选月份起工资都改为"));
    fromEdit_->setPlaceholderText(QStringLiteral("金额"));
    fromEdit_->setMaximumWidth(
        fromEdit_->fontMetrics().horizontalAdvance(QStringLiteral("000,000,000.00")) + 16);
    fromButton_->setObjectName(QStringLiteral("wagesFromButton"));
    clearButton_->setObjectName(QStringLiteral("clearWageEditsButton"));
    fromHint_->setObjectName(QStringLiteral("wagesFromHint"));
    // A long reason wraps onto a second line instead of widening the window.
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
    explanation_->viewport()->installEventFilter(this);
    split_ = new QSplitter(Qt::Vertical);
    split_->addWidget(table_);
    split_->addWidget(explanation_);
    split_->setStretchFactor(1, 1);
    split_->setChildrenCollapsible(false);
    split_->installEventFilter(this);
    staleNote_->setObjectName(QStringLiteral("staleResultsNote"));
    staleNote_->setWordWrap(true);
    staleNote_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(staleNote_);
    layout->addWidget(split_, 1);
    layout->addLayout(line);

    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole))
                    return;
                // An annuity typed in or cleared shows or hides its columns with the others.
                if (itemColumnsShown() &&
                    table_->isColumnHidden(YearTableModel::Annuity) == model_->hasAnnuity())
                    setItemColumnsShown(true);
                else
                    fitColumns();
            });
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

// The width of a cell's text. Figures are measured digit by digit from a table of advances (a
// table of 130 cells is measured at every keystroke); other texts by the font metrics.
int YearTablePage::textWidth(const QString& text, bool bold)
{
    std::array<int, 128>& advances = bold ? boldAdvances_ : plainAdvances_;
    if (advances[0] == 0) {
        QFont font = table_->font();
        font.setBold(bold);
        const QFontMetrics metrics(font);
        advances.fill(-1);
        advances[0] = 1;
        for (const char c : std::string_view("0123456789,.-% "))
            advances[std::size_t(c)] = metrics.horizontalAdvance(QLatin1Char(c));
    }
    int width = 0;
    for (const QChar c : text) {
        const int advance = c.unicode() < 128 ? advances[c.unicode()] : -1;
        if (advance < 0) {
            QFont font = table_->font();
            font.setBold(bold);
            return QFontMetrics(font).horizontalAdvance(text);
        }
        width += advance;
    }
    return width;
}

void YearTablePage::setItemColumnsShown(bool shown)
{
    const bool annuity = model_->hasAnnuity();
    for (int c = YearTableModel::ColumnCount; c < YearTableModel::AllColumns; ++c)
        table_->setColumnHidden(c, !shown || (IsAnnuityColumn(c) && !annuity));
    const QSignalBlocker quiet(itemColumnsAction_);
    itemColumnsAction_->setChecked(shown);
    fitColumns();
}

bool YearTablePage::itemColumnsShown() const
{
    return !table_->isColumnHidden(YearTableModel::ColumnCount);
}

// Every column shown as wide as its widest figure or header line at the user's font; room left
// over is shared out, so the table fills its view without squeezing a column (the item columns,
// when shown, scroll).
void YearTablePage::fitColumns()
{
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) +
                        fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const QFontMetrics headerFont(table_->horizontalHeader()->font());
    const int columns = model_->columnCount();
    QList<int> widths;
    int used = 0;
    int shown = 0;
    for (int c = 0; c < columns; ++c) {
        if (table_->isColumnHidden(c)) {
            widths << 0;
            continue;
        }
        ++shown;
        int width = 0;
        for (const QString& line : model_->headerData(c, Qt::Horizontal).toString().split('\n'))
            width = std::max(width, headerFont.horizontalAdvance(line) + padding);
        for (int r = 0; r < model_->rowCount(); ++r) {
            const QModelIndex cell = model_->index(r, c);
            const bool bold = cell.data(Qt::FontRole).value<QFont>().bold();
            width = std::max(width, textWidth(cell.data().toString(), bold) + padding);
        }
        widths << width;
        used += width;
    }
    const int spare = std::max(0, table_->viewport()->width() - used);
    for (int c = 0, given = 0; c < columns; ++c) {
        if (table_->isColumnHidden(c))
            continue;
        table_->setColumnWidth(c, widths[c] + spare / shown + (given < spare % shown ? 1 : 0));
        ++given;
    }
}

// Once the page has its height, the table gets the height of its thirteen rows and the
// explanation the rest.
void YearTablePage::shareHeight()
{
    int rows = table_->horizontalHeader()->height() + 2 * table_->frameWidth();
    for (int r = 0; r < model_->rowCount(); ++r)
        rows += table_->rowHeight(r);
    const int all = split_->height();
    if (rows > all * 3 / 4)
        return; // a small window: the table scrolls
    split_->setSizes({rows, all - rows});
    sized_ = true;
}

bool YearTablePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    if (watched == table_ &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
        plainAdvances_.fill(0);
        boldAdvances_.fill(0);
        fitColumns();
    }
    if (watched == split_ && event->type() == QEvent::Resize && !sized_ && isVisible())
        shareHeight();
    if (watched == explanation_->viewport() && event->type() == QEvent::Paint &&
        !explanationPainted_) {
        explanationPainted_ = true;
        QTimer::singleShot(0, this, &YearTablePage::explainSelected);
    }
    return QWidget::eventFilter(watched, event);
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

void YearTablePage::refresh(const PlannerState& state)
{
    state_ = &state;
    showWhetherCurrent();
    explainSelected();
    checkWagesFrom();
}

// Above a table that still shows the last sound year: that it is not the inputs' own, and why.
void YearTablePage::showWhetherCurrent()
{
    const bool stale = !state_->plan && model_->plan();
    staleNote_->setVisible(stale);
    if (!stale)
        return;
    staleNote_->setText(QStringLiteral("输入有误，表中仍是上次的结果（灰色），不是当前输入的：") +
                        state_->problems.join(QStringLiteral("；")));
    QPalette palette = staleNote_->palette();
    palette.setColor(QPalette::WindowText, WarningText(this->palette()));
    staleNote_->setPalette(palette);
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
    // The explanation is laid out once the window has drawn its first frame: a window that opens
    // a little later for it would be no more usable.
    if (!explanationPainted_ || !state_)
        return;
    if (!state_->plan) {
        QString html = QStringLiteral("<p><b>输入有误，暂不计算：</b></p><ul>");
        for (const QString& problem : state_->problems)
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
    explanation_->setHtml(ExplainMonth(state_->inputs->plan, *state_->plan, month));
}

void YearTablePage::checkWagesFrom()
{
    const bool typed = !fromEdit_->text().trimmed().isEmpty();
    const AmountReading r = ReadAmount(fromEdit_->text());
    const bool ready = typed && r.value && selectedMonth() > 0 && state_ && state_->plan;
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
