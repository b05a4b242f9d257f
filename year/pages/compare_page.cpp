// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/compare_page.h"

#include "law/year_outcome.h"
#include "year/amount_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tallyra::year {

using law::Money;

namespace {

const QString kCurrent = QStringLiteral("（当前输入）");
const QString kNone = QStringLiteral("（不对比）");
const QStringList kOfferNames = {QStringLiteral("方案一"), QStringLiteral("方案二"),
                                 QStringLiteral("方案三"), QStringLiteral("方案四")};

// What an entry of an offer's list stands for.
enum class Entry { None, Current, Profile };

struct Figure {
    const char* name;
    Money (*of)(const PlannerInputs&, const law::YearPlan&);
};

// The year of an offer in the figures people weigh offers by. The housing fund is the
// employee's money as much as the wage (for a home, or paid out at retirement), and offers
// differ in it: the year's income is compared with it as well as without.
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
    {"汇算后全年到手", [](const PlannerInputs&,
                          const law::YearPlan& p) { return law::TakeHomeAfterReconciliation(p); }},
    {"公积金（个人 + 单位）",
     [](const PlannerInputs&, const law::YearPlan& p) { return law::HousingFundOf(p).total(); }},
    {"含公积金的全年收入",
     [](const PlannerInputs&, const law::YearPlan& p) { return law::IncomeWithHousingFund(p); }},
    {"单位全年总成本",
     [](const PlannerInputs&, const law::YearPlan& p) { return p.totals.employerCost; }},
};

QTableWidget* FigureTable(const QString& objectName, const QString& accessibleName, int rows)
{
    auto* table = new QTableWidget(rows, 0);
    table->setObjectName(objectName);
    table->setAccessibleName(accessibleName);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Rows as high as a line of text needs, as in the year table.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    return table;
}

// The height that shows every row of a table without scrolling.
int FullHeight(const QTableWidget* table)
{
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
    for (int r = 0; r < table->rowCount(); ++r)
        height += table->rowHeight(r);
    return height;
}

void SetAmount(QTableWidget* table, int row, int column, Money amount)
{
    auto* item = new QTableWidgetItem(GroupedAmount(amount));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

} // namespace

ComparePage::ComparePage(Loader load, QWidget* parent)
    : QWidget(parent)
    , load_(std::move(load))
    , note_(new QLabel)
    , table_(FigureTable(QStringLiteral("compareTable"), QStringLiteral("方案对比"),
                         int(std::size(kFigures))))
    , months_(
          FigureTable(QStringLiteral("compareMonthTable"), QStringLiteral("各方案每月到手"), 12))
{
    const char* names[] = {"compareLeftBox", "compareRightBox", "compareThirdBox",
                           "compareFourthBox"};
    auto* line = new QGridLayout;
    for (int i = 0; i < kMostOffers; ++i) {
        boxes_[i] = new QComboBox;
        boxes_[i]->setObjectName(QLatin1String(names[i]));
        boxes_[i]->setAccessibleName(QStringLiteral("对比") + kOfferNames[i]);
        boxes_[i]->setAccessibleDescription(boxes_[i]->accessibleName());
        // The first two with the access keys the other pages leave free; the window has none
        // left for the others, which Tab reaches.
        auto* caption = new QLabel(i == 0   ? QStringLiteral("方案一(&T)")
                                   : i == 1 ? QStringLiteral("方案二(&R)")
                                            : kOfferNames[i]);
        caption->setBuddy(boxes_[i]);
        line->addWidget(caption, i / 2, (i % 2) * 2);
        line->addWidget(boxes_[i], i / 2, (i % 2) * 2 + 1);
        connect(boxes_[i], &QComboBox::currentIndexChanged, this, &ComparePage::recompute);
    }
    line->setColumnStretch(1, 1);
    line->setColumnStretch(3, 1);
    note_->setObjectName(QStringLiteral("compareNote"));
    note_->setWordWrap(true);
    QStringList rows;
    for (const Figure& f : kFigures)
        rows << QString::fromUtf8(f.name);
    table_->setVerticalHeaderLabels(rows);
    QStringList months;
    for (int m = 1; m <= 12; ++m)
        months << QStringLiteral("%1月到手").arg(m);
    months_->setVerticalHeaderLabels(months);

    // The year above, the months below; each scrolls where the page is short.
    views_ = new QSplitter(Qt::Vertical);
    views_->setObjectName(QStringLiteral("compareViews"));
    views_->setChildrenCollapsible(false);
    views_->addWidget(table_);
    views_->addWidget(months_);
    // The year's figures whole, the months below them scrolling where the page is short.
    table_->setMinimumHeight(FullHeight(table_));
    views_->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(line);
    layout->addWidget(note_);
    layout->addWidget(views_, 1);
    setProfiles({});
}

void ComparePage::setProfiles(const QStringList& names)
{
    QStringList chosen;
    for (QComboBox* box : boxes_)
        chosen << box->currentText();
    for (int i = 0; i < kMostOffers; ++i) {
        const QSignalBlocker quiet(boxes_[i]);
        boxes_[i]->clear();
        if (i >= 2)
            boxes_[i]->addItem(kNone, int(Entry::None));
        boxes_[i]->addItem(kCurrent, int(Entry::Current));
        for (const QString& name : names)
            boxes_[i]->addItem(name, int(Entry::Profile));
    }
    // The current inputs against the first profile, until the user chooses otherwise; a
    // profile no longer stored is not compared.
    auto kept = [&](const QString& name, const QString& otherwise) {
        return name == kCurrent || name == kNone || names.contains(name) ? name : otherwise;
    };
    const bool unchosen =
        chosen[1].isEmpty() || chosen[1] == kCurrent || !names.contains(chosen[1]);
    choose({kept(chosen[0], kCurrent),
            unchosen ? (names.isEmpty() ? kCurrent : names.first()) : chosen[1],
            kept(chosen[2], kNone), kept(chosen[3], kNone)});
}

void ComparePage::choose(const QString& left, const QString& right)
{
    choose({left, right, boxes_[2]->currentText(), boxes_[3]->currentText()});
}

void ComparePage::choose(const QStringList& offers)
{
    for (int i = 0; i < kMostOffers; ++i) {
        const QSignalBlocker quiet(boxes_[i]);
        const QString name = i < offers.size() ? offers[i] : kNone;
        boxes_[i]->setCurrentIndex(std::max(0, boxes_[i]->findText(name)));
    }
    recompute();
}

void ComparePage::refresh(const PlannerState& state)
{
    current_ = state.inputs;
    recompute();
}

std::optional<PlannerInputs> ComparePage::inputsOf(const QComboBox* box) const
{
    return Entry(box->currentData().toInt()) == Entry::Current ? current_
                                                               : load_(box->currentText());
}

void ComparePage::recompute()
{
    table_->clear();
    months_->clearContents();
    QStringList shown;
    std::vector<PlannerInputs> inputs;
    for (QComboBox* box : boxes_) {
        if (Entry(box->currentData().toInt()) == Entry::None)
            continue;
        const auto in = inputsOf(box);
        if (!in) {
            note_->setText(QStringLiteral("有方案无法读取，或当前输入有误，暂不对比。"));
            return;
        }
        shown << box->currentText();
        inputs.push_back(*in);
    }
    std::vector<law::YearPlan> plans;
    try {
        for (const PlannerInputs& in : inputs)
            plans.push_back(law::PlanYear(in.plan));
    } catch (const std::exception&) {
        note_->setText(QStringLiteral("有方案的金额超出可计算的范围，暂不对比。"));
        return;
    }
    QStringList years;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        years << QStringLiteral("%1 %2年").arg(kOfferNames[int(i)]).arg(inputs[i].plan.year);
    note_->setText(
        years.join(QStringLiteral("，")) +
        QStringLiteral("。公积金存入个人账户，也是收入：比较时可看“含公积金的全年收入”。"));
    const int offers = int(plans.size());
    QStringList headers = shown;
    for (int i = 1; i < offers; ++i)
        headers << kOfferNames[i] + QStringLiteral(" − 方案一");
    table_->setColumnCount(int(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    QStringList rows;
    for (const Figure& f : kFigures)
        rows << QString::fromUtf8(f.name);
    table_->setVerticalHeaderLabels(rows);
    table_->setMinimumHeight(FullHeight(table_)); // its header's height known now
    for (int r = 0; r < int(std::size(kFigures)); ++r) {
        const Money first = kFigures[r].of(inputs[0], plans[0]);
        for (int c = 0; c < offers; ++c) {
            const Money x = kFigures[r].of(inputs[std::size_t(c)], plans[std::size_t(c)]);
            SetAmount(table_, r, c, x);
            if (c > 0)
                SetAmount(table_, r, offers + c - 1, x - first);
        }
    }
    showMonths(shown, plans);
}

void ComparePage::showMonths(const QStringList& names, const std::vector<law::YearPlan>& plans)
{
    months_->setColumnCount(int(names.size()));
    months_->setHorizontalHeaderLabels(names);
    for (int c = 0; c < int(plans.size()); ++c)
        for (const law::MonthPlan& month : plans[std::size_t(c)].months)
            if (month.employed)
                SetAmount(months_, month.month - 1, c, month.takeHome);
}

} // namespace tallyra::year
