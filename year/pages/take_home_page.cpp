// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/take_home_page.h"

#include "law/one_wage.h"
#include "year/amount_text.h"
#include "year/planner_colours.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tallyra::year {

using law::Money;

TakeHomePage::TakeHomePage(QWidget* parent)
    : QWidget(parent)
    , targetEdit_(new QLineEdit)
    , hint_(new QLabel)
    , summary_(new QLabel)
    , table_(new QTableWidget(12, 3))
    , applyButton_(new QPushButton(QStringLiteral("把这些工资填入明细表(&R)")))
    , oneWageSummary_(new QLabel)
    , oneWageButton_(new QPushButton(QStringLiteral("每月都用这个工资")))
{
    oneWageSummary_->setObjectName(QStringLiteral("oneWageSummary"));
    oneWageSummary_->setWordWrap(true);
    // No access key: the page's two are taken and the window has none left; Tab reaches it.
    oneWageButton_->setObjectName(QStringLiteral("applyOneWageButton"));
    targetEdit_->setObjectName(QStringLiteral("takeHomeEdit"));
    targetEdit_->setAccessibleName(QStringLiteral("我想每月到手"));
    targetEdit_->setMaximumWidth(
        targetEdit_->fontMetrics().horizontalAdvance(QStringLiteral("000,000,000.00")) + 16);
    hint_->setObjectName(QStringLiteral("takeHomeHint"));
    hint_->setWordWrap(true);
    summary_->setObjectName(QStringLiteral("takeHomeSummary"));
    summary_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("takeHomeTable"));
    table_->setAccessibleName(QStringLiteral("每月所需税前工资"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("月份"), QStringLiteral("所需税前工资"), QStringLiteral("工资到手")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    applyButton_->setObjectName(QStringLiteral("applyTakeHomeButton"));

    auto* caption = new QLabel(QStringLiteral("我想每月到手(&T)"));
    caption->setBuddy(targetEdit_);
    auto* line = new QHBoxLayout;
    line->addWidget(caption);
    line->addWidget(targetEdit_);
    line->addWidget(new QLabel(QStringLiteral("元（不含年终奖）")));
    line->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(line);
    layout->addWidget(hint_);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addWidget(applyButton_, 0, Qt::AlignLeft);
    layout->addWidget(oneWageSummary_);
    layout->addWidget(oneWageButton_, 0, Qt::AlignLeft);

    connect(targetEdit_, &QLineEdit::textChanged, this, &TakeHomePage::recompute);
    connect(applyButton_, &QPushButton::clicked, this, [this] { emit applyRequested(wages_); });
    connect(oneWageButton_, &QPushButton::clicked, this, [this] {
        if (oneWage_)
            emit oneWageRequested(*oneWage_);
    });
    recompute();
}

void TakeHomePage::refresh(const PlannerState& state)
{
    input_ = state.inputs ? std::optional(state.inputs->plan) : std::nullopt;
    recompute();
}

void TakeHomePage::recompute()
{
    wages_ = {};
    oneWage_.reset();
    table_->clearContents();
    applyButton_->setEnabled(false);
    oneWageButton_->setEnabled(false);
    summary_->clear();
    oneWageSummary_->clear();
    QPalette palette = hint_->palette();
    palette.setColor(QPalette::WindowText, WarningText(this->palette()));
    hint_->setPalette(palette);
    const bool typed = !targetEdit_->text().trimmed().isEmpty();
    const AmountReading target = ReadAmount(targetEdit_->text());
    hint_->setText(typed ? target.reason : QString());
    if (!typed || !target.value)
        return;
    if (!input_) {
        hint_->setText(QStringLiteral("左侧输入有误，先更正后再倒推"));
        return;
    }
    try {
        wages_ = law::WagesForTakeHome(*input_, *target.value);
    } catch (const law::MoneyOverflow&) {
        hint_->setText(QStringLiteral("金额过大，超出可计算的范围"));
        return;
    }
    law::YearPlanInput planned = *input_;
    for (int m = 1; m <= 12; ++m)
        if (wages_[m - 1])
            planned.wages[m - 1] = *wages_[m - 1];
    const law::YearPlan plan = law::PlanYear(planned);
    std::optional<Money> lowest, highest;
    int firstMonth = 0;
    for (int m = 1; m <= 12; ++m) {
        table_->setItem(m - 1, 0, new QTableWidgetItem(QStringLiteral("%1月").arg(m)));
        if (!wages_[m - 1])
            continue;
        const Money wage = *wages_[m - 1];
        firstMonth = firstMonth ? firstMonth : m;
        lowest = lowest ? std::min(*lowest, wage) : wage;
        highest = highest ? std::max(*highest, wage) : wage;
        for (const auto& [column, amount] :
             {std::pair{1, wage}, std::pair{2, plan.months[m - 1].wageTakeHome}}) {
            auto* item = new QTableWidgetItem(GroupedAmount(amount));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setData(
                Qt::AccessibleTextRole,
                QStringLiteral("%1月 %2 %3 元")
                    .arg(m)
                    .arg(column == 1 ? QStringLiteral("所需税前工资") : QStringLiteral("工资到手"))
                    .arg(GroupedAmount(amount)));
            table_->setItem(m - 1, column, item);
        }
    }
    if (!lowest) {
        hint_->setText(QStringLiteral("没有工资能达到这个到手金额"));
        return;
    }
    applyButton_->setEnabled(true);
    showOneWage(*input_, *target.value);
    // The first month's wage and December's, as the table lists them: a deduction taken in one
    // month (a certificate's) can make a month between them the lowest or the highest.
    const Money first = *wages_[firstMonth - 1];
    const Money last = *wages_[11];
    summary_->setText(
        *lowest == *highest
            ? QStringLiteral("每月税前工资 %1 元即可每月到手 %2 元。")
                  .arg(GroupedAmount(*lowest), GroupedAmount(*target.value))
            : QStringLiteral("每月到手 %1 元，所需税前工资从%2月的 %3 元%4到12月的 %5 元：累计"
                             "收入越多，预扣税率越高。")
                  .arg(GroupedAmount(*target.value))
                  .arg(firstMonth)
                  .arg(GroupedAmount(first),
                       last < first ? QStringLiteral("降") : QStringLiteral("升"),
                       GroupedAmount(last)));
}

// The same wage every month: the year's take-home after the reconciliation's refund or payment,
// over the months employed, at least the target; the wages' take-home, the bonus apart.
void TakeHomePage::showOneWage(const law::YearPlanInput& input, Money target)
{
    std::optional<law::OneWage> found;
    try {
        found = law::OneWageForTakeHome(input, target);
    } catch (const law::MoneyOverflow&) {
    }
    if (!found)
        return;
    oneWage_ = found->wage;
    oneWageButton_->setEnabled(true);
    const int months = 13 - input.firstMonthEmployed;
    oneWageSummary_->setText(
        QStringLiteral("或者每月同一工资 %1 元：%2 个月工资全年到手 %3 元（年度汇算退补后，"
                       "平均每月 %4 元），全年税前收入 %5 元（含年终奖）。")
            .arg(GroupedAmount(found->wage))
            .arg(months)
            .arg(GroupedAmount(found->yearTakeHome),
                 GroupedAmount(law::Money::Fen(found->yearTakeHome.fen() / months)),
                 GroupedAmount(found->yearGross)));
}

} // namespace tallyra::year
