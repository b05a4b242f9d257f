// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_window.h"

#include "law/plannable_years.h"
#include "platform/message_boxes.h"
#include "ui/focus_visibility.h"
#include "year/amount_text.h"
#include "year/form/input_form.h"
#include "year/form_pane.h"
#include "year/pages/bonus_page.h"
#include "year/pages/compare_page.h"
#include "year/pages/history_page.h"
#include "year/pages/month_chart.h"
#include "year/pages/plan_texts.h"
#include "year/pages/reconciliation_page.h"
#include "year/pages/result_tabs.h"
#include "year/pages/take_home_page.h"
#include "year/pages/year_table_model.h"
#include "year/pages/year_table_page.h"
#include "year/profile_bar.h"

#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tallyra::year {

YearWindow::YearWindow(YearServices services, QWidget* parent)
    : QMainWindow(parent)
    , services_(std::move(services))
    , profiles_(*services_.settings, services_.today().year())
{
    setObjectName(QStringLiteral("YearWindow"));
    setWindowTitle(title());
    createActions();
    createCentral();
    createMenus();
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    // A long list of refusals is cut at the window's edge (each is shown beside its box) rather
    // than widening the window.
    summary_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addPermanentWidget(summary_, 1);
    restoreState();
    KeepFocusVisible(this);
}

YearWindow::~YearWindow() = default;

void YearWindow::createCentral()
{
    model_ = new YearTableModel(this);
    model_->setPalette(palette());
    form_ = new InputForm(law::LastPlannableYear(services_.today().year()));
    createProfileBar();
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(profileBar_);
    leftLayout->addWidget(form_, 1);
    auto* pane = new FormPane(left);

    createTabs();
    auto* split = new QSplitter;
    split->setObjectName(QStringLiteral("mainSplitter"));
    split->addWidget(pane);
    split->addWidget(tabs_);
    split->setStretchFactor(1, 1);
    // The form as wide as its widest row; the rest to the results, whose table is wide.
    split->setSizes({pane->minimumWidth(), 1280 - pane->minimumWidth()});
    split->setChildrenCollapsible(false);
    setCentralWidget(split);

    connect(form_, &InputForm::changed, this, &YearWindow::recompute);
    connect(model_, &YearTableModel::wageEdited, form_, &InputForm::setMonthWage);
    connect(model_, &YearTableModel::wageRefused, this, [this](int month, const QString& reason) {
        const QString text = QStringLiteral("%1月工资：%2").arg(month).arg(reason);
        tablePage_->showWageProblem(text);
        statusBar()->showMessage(text, 8000);
    });
    connect(tablePage_, &YearTablePage::wagesFromRequested, form_, &InputForm::setWagesFrom);
    connect(tablePage_, &YearTablePage::clearEditsRequested, form_, &InputForm::clearWageEdits);
}

// The result pages, in the order of their tabs and of the menu "查看".
void YearWindow::createTabs()
{
    tablePage_ = new YearTablePage(model_);
    auto takeHome = [this] {
        auto* page = new TakeHomePage;
        connect(page, &TakeHomePage::applyRequested, this, &YearWindow::applyWages);
        return page;
    };
    auto compare = [this] {
        auto* page = new ComparePage([this](const QString& name) { return profiles_.load(name); });
        page->setProfiles(profiles_.names());
        return page;
    };
    std::vector<ResultTabs::Kind> pages = {
        ResultTabs::kindOf<YearTablePage>([this] { return tablePage_; }),
        ResultTabs::kindOf<MonthChart>([] { return new MonthChart; }),
        ResultTabs::kindOf<BonusPage>([] { return new BonusPage; }),
        ResultTabs::kindOf<ReconciliationPage>([] { return new ReconciliationPage; }),
        ResultTabs::kindOf<TakeHomePage>(takeHome),
        ResultTabs::kindOf<HistoryPage>([] { return new HistoryPage; }),
        ResultTabs::kindOf<ComparePage>(compare),
    };
    tabs_ = new ResultTabs(state_, std::move(pages));
}

// On the screen's room less the panels: a size kept from a larger screen, or the first size on a
// small or scaled screen (1280 × 800 at 150 % is larger than a 1600 × 1000 screen), is fitted to
// it, and the window's room shared out again: the table first, as wide as its figures, the
// form the rest.
void YearWindow::fitToScreen()
{
    const QRect room = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - size(); // none known before the first show
    resize(size().boundedTo(room.size() - frame).expandedTo(minimumSizeHint()));
    QRect placed = frameGeometry();
    placed.moveRight(std::min(placed.right(), room.right()));
    placed.moveBottom(std::min(placed.bottom(), room.bottom()));
    placed.moveLeft(std::max(placed.left(), room.left()));
    placed.moveTop(std::max(placed.top(), room.top()));
    move(placed.topLeft());
}

void YearWindow::applyWages(const std::array<std::optional<law::Money>, 12>& wages)
{
    for (int m = 1; m <= 12; ++m)
        if (wages[m - 1])
            form_->setMonthWage(m, *wages[m - 1]);
    tabs_->setCurrentPage<YearTablePage>();
}

void YearWindow::recompute()
{
    const InputForm::Reading reading = form_->read();
    state_.inputs = reading.inputs;
    state_.problems = reading.problems;
    state_.plan.reset();
    if (state_.inputs) {
        try {
            state_.plan = law::PlanYear(state_.inputs->plan);
        } catch (const law::MoneyOverflow&) {
            state_.problems << QStringLiteral("金额过大，超出可计算的范围");
            state_.inputs.reset();
        }
    }
    // While a box is refused the table keeps the last sound year, marked as not current.
    if (state_.plan)
        lastSoundPlan_ = state_.plan;
    model_->setPlan(state_.plan ? state_.plan : lastSoundPlan_, state_.plan.has_value());
    tabs_->stateChanged();
    for (QAction* action : {exportCsvAction_, exportPdfAction_, printAction_})
        action->setEnabled(state_.plan.has_value());
    markModified();
    showSummary();
}

QString YearWindow::summary() const
{
    if (!state_.plan)
        return QStringLiteral("输入有误：") + state_.problems.join(QStringLiteral("；"));
    const law::YearTotals& t = state_.plan->totals;
    return QStringLiteral("全年税后收入 %1 元 ｜ 全年预扣个税 %2 元 ｜ 年度汇算：%3")
        .arg(GroupedAmount(t.takeHome), GroupedAmount(t.withheld + t.bonusTax),
             ReconciliationVerdict(state_.plan->reconciliation));
}

void YearWindow::showSummary()
{
    summary_->setText(summary());
}

void YearWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange && model_)
        model_->setPalette(palette());
    QMainWindow::changeEvent(event);
}

} // namespace tallyra::year
