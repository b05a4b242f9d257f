// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_window.h"

#include "platform/message_boxes.h"
#include "ui/focus_visibility.h"
#include "year/amount_text.h"
#include "year/form/input_form.h"
#include "year/pages/compare_page.h"
#include "year/pages/history_page.h"
#include "year/pages/month_chart.h"
#include "year/pages/plan_texts.h"
#include "year/pages/take_home_page.h"
#include "year/pages/year_table_model.h"
#include "year/pages/year_table_page.h"

#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tallyra::year {

namespace {

enum Page {
    TablePage,
    ChartPage,
    BonusPage,
    ReconciliationPage,
    TakeHomePageIndex,
    HistoryPageIndex,
    ComparePageIndex
};

QTextBrowser* TextPage(const char* name, const QString& accessibleName)
{
    auto* view = new QTextBrowser;
    view->setObjectName(QLatin1String(name));
    view->setAccessibleName(accessibleName);
    view->setOpenLinks(false);
    return view;
}

} // namespace

YearWindow::YearWindow(YearServices services, QWidget* parent)
    : QMainWindow(parent)
    , services_(std::move(services))
    , profiles_(*services_.settings, services_.today().year())
{
    setObjectName(QStringLiteral("YearWindow"));
    setWindowTitle(title());
    createActions();
    createMenus();
    createCentral();
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    statusBar()->addPermanentWidget(summary_, 1);
    restoreState();
    KeepFocusVisible(this);
}

YearWindow::~YearWindow() = default;

void YearWindow::createCentral()
{
    model_ = new YearTableModel(this);
    model_->setPalette(palette());
    form_ = new InputForm(services_.today().year() + 1);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(createProfileBar());
    leftLayout->addWidget(form_, 1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("inputScroll"));
    scroll->setWidget(left);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the form is as wide as the area
    scroll->setFocusPolicy(Qt::NoFocus); // Tab goes into the form; the area follows the focus
    // Wide enough for the form at the user's font and style; the legal amounts beside it wrap.
    const int em = fontMetrics().horizontalAdvance(QStringLiteral("税"));
    left->ensurePolished(); // the style's margins and paddings count
    const int formWidth = left->minimumSizeHint().width() + 2 * scroll->frameWidth() +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    scroll->setMinimumWidth(std::max(30 * em, formWidth));

    tablePage_ = new YearTablePage(model_);
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("resultTabs"));
    tabs_->addTab(tablePage_, QStringLiteral("逐月明细"));
    // The other pages are places until first shown: built then, they cost the start nothing.
    for (const QString& caption :
         {QStringLiteral("图表"), QStringLiteral("年终奖"), QStringLiteral("年度汇算"),
          QStringLiteral("税后倒推"), QStringLiteral("历年税法"), QStringLiteral("方案对比")}) {
        auto* place = new QWidget;
        auto* layout = new QVBoxLayout(place);
        layout->setContentsMargins(0, 0, 0, 0);
        tabs_->addTab(place, caption);
    }

    auto* split = new QSplitter;
    split->setObjectName(QStringLiteral("mainSplitter"));
    split->addWidget(scroll);
    split->addWidget(tabs_);
    split->setStretchFactor(1, 1);
    const int leftWidth = std::max(38 * em, scroll->minimumWidth());
    split->setSizes({leftWidth, 1280 - leftWidth});
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
    connect(tabs_, &QTabWidget::currentChanged, this, &YearWindow::showPage);
}

MonthChart* YearWindow::chart()
{
    showPage(ChartPage);
    return chart_;
}

HistoryPage* YearWindow::history()
{
    showPage(HistoryPageIndex);
    return history_;
}

TakeHomePage* YearWindow::takeHome()
{
    showPage(TakeHomePageIndex);
    return takeHome_;
}

ComparePage* YearWindow::compare()
{
    showPage(ComparePageIndex);
    return compare_;
}

void YearWindow::showPage(int index)
{
    buildPageOnFirstShow(index);
    refreshPage(index);
}

// Brings a page up to the inputs now, if it was left behind.
void YearWindow::refreshPage(int index)
{
    if (index < 0 || index >= int(stale_.size()) || !stale_[std::size_t(index)])
        return;
    stale_[std::size_t(index)] = false;
    const std::optional<law::YearPlanInput> input =
        inputs_ ? std::optional(inputs_->plan) : std::nullopt;
    const QString refused = QStringLiteral("<p>左侧输入有误，暂不计算。</p>");
    switch (index) {
    case ChartPage:
        chart_->setPlan(plan_);
        break;
    case BonusPage:
        bonusView_->setHtml(plan_ ? DescribeBonus(*input, *plan_) : refused);
        break;
    case ReconciliationPage:
        reconciliationView_->setHtml(plan_ ? DescribeReconciliation(*input, *plan_) : refused);
        break;
    case TakeHomePageIndex:
        takeHome_->setInput(input);
        break;
    case HistoryPageIndex:
        history_->setInput(input, plan_);
        break;
    case ComparePageIndex:
        compare_->setCurrent(inputs_);
        break;
    default:
        break;
    }
}

void YearWindow::buildPageOnFirstShow(int index)
{
    if (index <= TablePage || index >= tabs_->count() || built_[std::size_t(index)])
        return;
    built_[std::size_t(index)] = true;
    QWidget* page = nullptr;
    switch (index) {
    case ChartPage:
        page = chart_ = new MonthChart;
        break;
    case BonusPage:
        page = bonusView_ = TextPage("bonusView", QStringLiteral("年终奖计税比较"));
        break;
    case ReconciliationPage:
        page = reconciliationView_ = TextPage("reconciliationView", QStringLiteral("年度汇算"));
        break;
    case TakeHomePageIndex:
        page = takeHome_ = new TakeHomePage;
        connect(takeHome_, &TakeHomePage::applyRequested, this, &YearWindow::applyWages);
        break;
    case HistoryPageIndex:
        page = history_ = new HistoryPage;
        break;
    case ComparePageIndex:
        page = compare_ =
            new ComparePage([this](const QString& name) { return profiles_.load(name); });
        compare_->setProfiles(profiles_.names());
        break;
    default:
        return;
    }
    tabs_->widget(index)->layout()->addWidget(page);
    page->show();
    stale_[std::size_t(index)] = true;
}

void YearWindow::applyWages(const std::array<std::optional<law::Money>, 12>& wages)
{
    for (int m = 1; m <= 12; ++m)
        if (wages[m - 1])
            form_->setMonthWage(m, *wages[m - 1]);
    tabs_->setCurrentIndex(TablePage);
}

void YearWindow::recompute()
{
    const InputForm::Reading reading = form_->read();
    inputs_ = reading.inputs;
    problems_ = reading.problems;
    plan_.reset();
    if (inputs_) {
        try {
            plan_ = law::PlanYear(inputs_->plan);
        } catch (const law::MoneyOverflow&) {
            problems_ << QStringLiteral("金额过大，超出可计算的范围");
            inputs_.reset();
        }
    }
    model_->setPlan(plan_);
    tablePage_->showPlan(inputs_ ? &inputs_->plan : nullptr, plan_ ? &*plan_ : nullptr, problems_);
    stale_ = built_; // the pages not built yet are brought up to date as they are built
    refreshPage(tabs_->currentIndex());
    for (QAction* action : {exportCsvAction_, exportPdfAction_, printAction_})
        action->setEnabled(plan_.has_value());
    markModified();
    showSummary();
}

QString YearWindow::summary() const
{
    if (!plan_)
        return QStringLiteral("输入有误：") + problems_.join(QStringLiteral("；"));
    const law::YearTotals& t = plan_->totals;
    return QStringLiteral("全年税后收入 %1 元 ｜ 全年预扣个税 %2 元 ｜ 年度汇算：%3")
        .arg(GroupedAmount(t.takeHome), GroupedAmount(t.withheld + t.bonusTax),
             ReconciliationVerdict(plan_->reconciliation));
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
