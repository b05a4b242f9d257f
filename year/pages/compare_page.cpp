// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/compare_page.h"

#include "year/amount_text.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tallyra::year {

using law::Money;

namespace {

const QString kCurrent = QStringLiteral("（当前输入）");

struct Figure {
    const char* name;
    Money (*of)(const PlannerInputs&, const law::YearPlan&);
};

// The year of an offer in the figures people weigh offers by.
const Figure kFigures[] = {
    {"月工资", [](const PlannerInputs& in, const law::YearPlan&) { return in.wage; }},
    {"年终奖", [](const PlannerInputs& in, const law::YearPlan&) { return in.plan.bonus; }},
    {"全年税前收入",
     [](const PlannerInputs&, const law::YearPlan& p) { return p.totals.wages + p.totals.bonus; }},
    {"全年个人社保公积金",
     [](const PlannerInputs&, const law::YearPlan& p) { return p.totals.employeeContributions; }},
    {"全年预扣个税", [](const PlannerInputs&,
                        const law::YearPlan& p) { return p.totals.withheld + p.totals.bonusTax; }},
    {"全年税后收入",
     [](const PlannerInputs&, const law::YearPlan& p) { return p.totals.takeHome; }},
    {"汇算应补（负数为退）",
     [](const PlannerInputs&, const law::YearPlan& p) { return p.reconciliation.balance; }},
    {"汇算后全年到手",
     [](const PlannerInputs&, const law::YearPlan& p) {
         const law::ReconciliationResult& r = p.reconciliation;
         return p.totals.takeHome - (r.paymentExempt ? Money() : r.balance);
     }},
    {"单位全年总成本",
     [](const PlannerInputs&, const law::YearPlan& p) { return p.totals.employerCost; }},
};

} // namespace

ComparePage::ComparePage(Loader load, QWidget* parent)
    : QWidget(parent)
    , load_(std::move(load))
    , left_(new QComboBox)
    , right_(new QComboBox)
    , note_(new QLabel)
    , table_(new QTableWidget(int(std::size(kFigures)), 3))
{
    left_->setObjectName(QStringLiteral("compareLeftBox"));
    left_->setAccessibleName(QStringLiteral("对比方案一"));
    left_->setAccessibleDescription(left_->accessibleName());
    right_->setObjectName(QStringLiteral("compareRightBox"));
    right_->setAccessibleName(QStringLiteral("对比方案二"));
    right_->setAccessibleDescription(right_->accessibleName());
    note_->setObjectName(QStringLiteral("compareNote"));
    note_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("compareTable"));
    table_->setAccessibleName(QStringLiteral("两个方案的对比"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    QStringList rows;
    for (const Figure& f : kFigures)
        rows << QString::fromUtf8(f.name);
    table_->setVerticalHeaderLabels(rows);

    auto* one = new QLabel(QStringLiteral("方案一(&T)"));
    one->setBuddy(left_);
    auto* two = new QLabel(QStringLiteral("方案二(&R)"));
    two->setBuddy(right_);
    auto* line = new QHBoxLayout;
    line->addWidget(one);
    line->addWidget(left_, 1);
    line->addSpacing(12);
    line->addWidget(two);
    line->addWidget(right_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(line);
    layout->addWidget(note_);
    layout->addWidget(table_, 1);
    connect(left_, &QComboBox::currentIndexChanged, this, &ComparePage::recompute);
    connect(right_, &QComboBox::currentIndexChanged, this, &ComparePage::recompute);
    setProfiles({});
}

void ComparePage::setProfiles(const QStringList& names)
{
    const QString left = left_->currentText();
    const QString right = right_->currentText();
    for (QComboBox* box : {left_, right_}) {
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItem(kCurrent);
        box->addItems(names);
    }
    // The current inputs against the first profile, until the user chooses otherwise.
    const bool unchosen = right.isEmpty() || right == kCurrent || !names.contains(right);
    choose(left.isEmpty() || (left != kCurrent && !names.contains(left)) ? kCurrent : left,
           unchosen ? (names.isEmpty() ? kCurrent : names.first()) : right);
}

void ComparePage::choose(const QString& left, const QString& right)
{
    const QSignalBlocker quiet(left_);
    left_->setCurrentIndex(std::max(0, left_->findText(left)));
    right_->setCurrentIndex(std::max(0, right_->findText(right)));
    recompute();
}

void ComparePage::refresh(const PlannerState& state)
{
    current_ = state.inputs;
    recompute();
}

std::optional<PlannerInputs> ComparePage::inputsOf(const QComboBox* box) const
{
    return box->currentIndex() == 0 ? current_ : load_(box->currentText());
}

void ComparePage::recompute()
{
    table_->clearContents();
    table_->setHorizontalHeaderLabels(
        {left_->currentText(), right_->currentText(), QStringLiteral("方案二 − 方案一")});
    const auto a = inputsOf(left_);
    const auto b = inputsOf(right_);
    if (!a || !b) {
        note_->setText(QStringLiteral("有方案无法读取，或当前输入有误，暂不对比。"));
        return;
    }
    std::optional<law::YearPlan> planA, planB;
    try {
        planA = law::PlanYear(a->plan);
        planB = law::PlanYear(b->plan);
    } catch (const std::exception&) {
        note_->setText(QStringLiteral("有方案的金额超出可计算的范围，暂不对比。"));
        return;
    }
    note_->setText(
        QStringLiteral("方案一 %1年，方案二 %2年。").arg(a->plan.year).arg(b->plan.year));
    for (int r = 0; r < int(std::size(kFigures)); ++r) {
        const Money x = kFigures[r].of(*a, *planA);
        const Money y = kFigures[r].of(*b, *planB);
        const Money cells[] = {x, y, y - x};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(GroupedAmount(cells[c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
}

} // namespace tallyra::year
