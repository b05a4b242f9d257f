// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_window.h"

#include "law/plannable_years.h"
#include "law/year_outcome.h"
#include "platform/message_boxes.h"
#include "ui/focus_visibility.h"
#include "year/amount_text.h"
#include "year/form/input_form.h"
#include "year/form_pane.h"
#include "year/pages/best_split_page.h"
#include "year/pages/bonus_page.h"
#include "year/pages/compare_page.h"
#include "year/pages/history_page.h"
#include "year/pages/month_chart.h"
#include "year/pages/payslip_page.h"
#include "year/pages/plan_texts.h"
#include "year/pages/reconciliation_page.h"
#include "year/pages/result_tabs.h"
#include "year/pages/take_home_page.h"
#include "year/pages/year_table_model.h"
#include "year/pages/year_table_page.h"
#include "year/profile_bar.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

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
    // than widening the window. A message in the status bar takes its place while it shows:
    // the status bar draws a message only left of the permanent widgets it shows, and the
    // summary, as wide as the bar, would leave it no room at all.
    summary_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addPermanentWidget(summary_, 1);
    connect(statusBar(), &QStatusBar::messageChanged, summary_,
            [this](const QString& message) { summary_->setVisible(message.isEmpty()); });
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
    formPane_ = new FormPane(left);

    createTabs();
    auto* split = new QSplitter;
    split->setObjectName(QStringLiteral("mainSplitter"));
    split->addWidget(formPane_);
    split->addWidget(tabs_);
    split->setStretchFactor(1, 1);
    // The form as wide as its widest row; the rest to the results, whose table is wide.
    split->setSizes({formPane_->minimumWidth(), 1280 - formPane_->minimumWidth()});
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
        connect(page, &TakeHomePage::oneWageRequested, this, [this](law::Money wage) {
            if (state_.inputs)
                putSplit(wage, state_.inputs->plan.bonus, state_.inputs->plan.bonusTreatment,
                         QStringLiteral("已把每月工资设为 %1 元").arg(GroupedAmount(wage)));
        });
        return page;
    };
    auto compare = [this] {
        auto* page = new ComparePage([this](const QString& name) { return profiles_.load(name); });
        page->setProfiles(profiles_.names());
        return page;
    };
    auto bestSplit = [this] {
        auto* page = new BestSplitPage;
        connect(page, &BestSplitPage::applyRequested, this, &YearWindow::applySplit);
        return page;
    };
    auto payslip = [this] {
        auto* page = new PayslipPage;
        connect(page, &PayslipPage::printRequested, this, &YearWindow::printPayslip);
        connect(page, &PayslipPage::pdfRequested, this, &YearWindow::exportPayslipPdf);
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
        ResultTabs::kindOf<BestSplitPage>(bestSplit),
        ResultTabs::kindOf<PayslipPage>(payslip),
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

namespace {

QString NarrowWindowAdvice()
{
    return QStringLiteral("窗口较窄：按 F9 或“查看 → 输入栏”隐藏输入栏，可看到表格的全部各列");
}

} // namespace

void YearWindow::showFormPane(bool shown)
{
    formPaneAction_->setChecked(shown);
    if (shown == formPane_->isVisibleTo(this))
        return;
    const bool focusInForm = formPane_->isAncestorOf(focusWidget());
    formPane_->setVisible(shown);
    if (shown)
        form_->controls().wageEdit->setFocus(Qt::ShortcutFocusReason);
    else if (focusInForm)
        tabs_->currentWidget()->setFocus(Qt::ShortcutFocusReason);
    if (!shown && statusBar()->currentMessage() == NarrowWindowAdvice())
        statusBar()->clearMessage(); // done as advised
}

// On a screen too narrow for the form and every column of the table side by side, says once,
// after the first layout, how to see them all.
void YearWindow::adviseNarrowWindow()
{
    const QTableView* table = tablePage_->table();
    if (formPane_->isVisible() && table->horizontalScrollBar()->maximum() > 0 &&
        statusBar()->currentMessage().isEmpty())
        statusBar()->showMessage(NarrowWindowAdvice(), 15000);
}

void YearWindow::applyWages(const std::array<std::optional<law::Money>, 12>& wages)
{
    for (int m = 1; m <= 12; ++m)
        if (wages[m - 1])
            form_->setMonthWage(m, *wages[m - 1]);
    tabs_->setCurrentPage<YearTablePage>();
}

void YearWindow::applySplit(law::Money wage, law::Money bonus, law::BonusTreatment treatment)
{
    putSplit(wage, bonus, treatment,
             QStringLiteral("已采用最优分配：每月工资 %1 元，年终奖 %2 元")
                 .arg(GroupedAmount(wage), GroupedAmount(bonus)));
}

// The same wage in every month, none edited in the table, and the bonus with its treatment.
void YearWindow::putSplit(law::Money wage, law::Money bonus, law::BonusTreatment treatment,
                          const QString& message)
{
    if (!state_.inputs)
        return;
    PlannerInputs inputs = *state_.inputs;
    inputs.wage = wage;
    inputs.wageEdited = {};
    SpreadWage(inputs);
    inputs.plan.bonus = bonus;
    inputs.plan.bonusTreatment = treatment;
    form_->setInputs(inputs);
    statusBar()->showMessage(message, 8000);
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
    const law::YearPlan& plan = *state_.plan;
    const law::YearTotals& t = plan.totals;
    // The take-home once the reconciliation has refunded or collected: what the year brings,
    // and what the better bonus treatment shows as more.
    QString text = QStringLiteral("全年到手（汇算后）%1 元 ｜ 全年预扣个税 %2 元 ｜ 年度汇算：%3")
                       .arg(GroupedAmount(law::TakeHomeAfterReconciliation(plan)),
                            GroupedAmount(t.withheld + t.bonusTax),
                            ReconciliationVerdict(plan.reconciliation));
    if (const auto cliff = law::BonusCliffLossOf(plan))
        text += QStringLiteral(" ｜ ⚠ 年终奖多发少得：比只发 %1 元少到手 %2 元")
                    .arg(ShortAmount(cliff->cliff.start), GroupedAmount(cliff->loss));
    return text;
}

void YearWindow::showSummary()
{
    summary_->setText(summary());
}

void YearWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!std::exchange(advised_, true))
        QTimer::singleShot(0, this, &YearWindow::adviseNarrowWindow); // once laid out
}

void YearWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange && model_)
        model_->setPalette(palette());
    QMainWindow::changeEvent(event);
}

} // namespace tallyra::year
