// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner's menus and their file commands: export to CSV and PDF, print, quit, about.
#include "platform/app_identity.h"
#include "platform/message_boxes.h"
#include "year/files/csv_export.h"
#include "year/files/print_report.h"
#include "year/form/input_form.h"
#include "year/help_guide.h"
#include "year/pages/result_tabs.h"
#include "year/pages/year_table_model.h"
#include "year/pages/year_table_page.h"
#include "year/profile_bar.h"
#include "year/year_dialogs.h"
#include "year/year_window.h"

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tallyra::year {

namespace {

QAction* Action(QObject* parent, const char* name, const QString& text,
                const QKeySequence& keys = {})
{
    auto* action = new QAction(text, parent);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    return action;
}

} // namespace

void YearWindow::createActions()
{
    exportCsvAction_ = Action(this, "exportCsvAction", QStringLiteral("导出 CSV(&C)…"),
                              QKeySequence(Qt::CTRL | Qt::Key_E));
    exportPdfAction_ = Action(this, "exportPdfAction", QStringLiteral("导出 PDF(&D)…"),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    printAction_ = Action(this, "printAction", QStringLiteral("打印(&P)…"), QKeySequence::Print);
    quitAction_ =
        Action(this, "quitAction", QStringLiteral("退出(&Q)"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    saveProfileAction_ =
        Action(this, "saveProfileAction", QStringLiteral("保存方案(&S)"), QKeySequence::Save);
    deleteProfileAction_ = Action(this, "deleteProfileAction", QStringLiteral("删除方案(&D)"));
    defaultsAction_ = Action(this, "defaultsAction", QStringLiteral("恢复默认输入(&R)"));
    aboutAction_ = Action(this, "aboutAction", QStringLiteral("关于(&A)"));
    guideAction_ =
        Action(this, "guideAction", QStringLiteral("使用说明(&U)"), QKeySequence::HelpContents);
    connect(guideAction_, &QAction::triggered, this, &YearWindow::showGuide);
    // F9 shows and hides a side panel in the file managers people know.
    formPaneAction_ =
        Action(this, "formPaneAction", QStringLiteral("输入栏(&I)"), QKeySequence(Qt::Key_F9));
    formPaneAction_->setCheckable(true);
    formPaneAction_->setChecked(true);
    connect(formPaneAction_, &QAction::toggled, this, &YearWindow::showFormPane);
    connect(exportCsvAction_, &QAction::triggered, this, &YearWindow::exportCsv);
    connect(exportPdfAction_, &QAction::triggered, this, &YearWindow::exportPdf);
    connect(printAction_, &QAction::triggered, this, &YearWindow::print);
    connect(quitAction_, &QAction::triggered, this, &QWidget::close);
    connect(saveProfileAction_, &QAction::triggered, this, &YearWindow::saveProfile);
    connect(deleteProfileAction_, &QAction::triggered, this, &YearWindow::deleteProfile);
    connect(defaultsAction_, &QAction::triggered, this, &YearWindow::restoreDefaults);
    connect(aboutAction_, &QAction::triggered, this, [this] {
        services_.messages->inform(
            QStringLiteral(
                "年度个税计算 "
                "%1.%2.%3\n\n按现行税法（累计预扣法）逐月计算全年工资薪金的个人所得税、"
                "年终奖计税方式和年度汇算。\n\n本程序的计算仅供参考，以税务机关的计算为准。")
                .arg(AppIdentity::major)
                .arg(AppIdentity::minor)
                .arg(AppIdentity::revision));
    });
}

void YearWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->addAction(exportCsvAction_);
    file->addAction(exportPdfAction_);
    file->addAction(printAction_);
    file->addSeparator();
    file->addAction(quitAction_);
    QMenu* profiles = menuBar()->addMenu(QStringLiteral("方案(&S)"));
    profiles->addAction(saveProfileAction_);
    profiles->addAction(deleteProfileAction_);
    profiles->addSeparator();
    profiles->addAction(defaultsAction_);
    QMenu* view = menuBar()->addMenu(QStringLiteral("查看(&V)"));
    const QStringList pages = tabs_->captions();
    for (int i = 0; i < pages.size(); ++i) {
        QAction* page = view->addAction(QStringLiteral("%1(&%2)").arg(pages[i]).arg(i + 1));
        page->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)));
        connect(page, &QAction::triggered, this, [this, i] {
            tabs_->setCurrentIndex(i);
            tabs_->currentWidget()->setFocus(Qt::ShortcutFocusReason);
        });
    }
    view->addSeparator();
    view->addAction(formPaneAction_);
    view->addAction(tablePage_->itemColumnsAction());
    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    help->addAction(guideAction_);
    help->addAction(aboutAction_);
}

// Beside the window, not over it: the guide is read while the pages it names are tried.
void YearWindow::showGuide()
{
    if (!guide_) {
        guide_ = new QDialog(this);
        guide_->setObjectName(QStringLiteral("guideDialog"));
        guide_->setWindowTitle(QStringLiteral("使用说明 — 年度个税计算"));
        auto* text = new QTextBrowser;
        text->setObjectName(QStringLiteral("guideView"));
        text->setHtml(GuideHtml(tabs_->captions()));
        auto* layout = new QVBoxLayout(guide_);
        layout->addWidget(text);
        guide_->resize(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 60,
                       fontMetrics().height() * 32);
    }
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
}

QString YearWindow::suggestedFileName(const QString& suffix) const
{
    const QString name = profileBar_->name();
    QString base = QStringLiteral("年度个税-%1").arg(state_.inputs ? state_.inputs->plan.year : 0);
    if (!name.isEmpty())
        base += QLatin1Char('-') + QString(name).replace(QLatin1Char('/'), QLatin1Char('-'));
    return base + suffix;
}

bool YearWindow::exportCsvTo(const QString& path)
{
    if (!state_.plan)
        return false;
    // The columns of the year as files have always had them; the contribution items apart.
    const QString error =
        WriteCsv(path, *model_, YearTableModel::ColumnCount, YearTableModel::ExportRole,
                 OtherIncomeRecords(state_.inputs->plan, *state_.plan));
    if (!error.isEmpty()) {
        services_.messages->inform(QStringLiteral("无法写入文件“%1”：%2").arg(path, error));
        return false;
    }
    statusBar()->showMessage(QStringLiteral("已导出到 %1").arg(QFileInfo(path).fileName()), 8000);
    return true;
}

void YearWindow::exportCsv()
{
    const QString path = services_.dialogs->chooseSaveFile(
        this, QStringLiteral("导出逐月明细"), suggestedFileName(QStringLiteral(".csv")),
        QStringLiteral("CSV 文件 (*.csv)"));
    if (!path.isEmpty())
        exportCsvTo(path);
}

bool YearWindow::exportPdfTo(const QString& path)
{
    if (!state_.plan)
        return false;
    return writePdf(path,
                    ReportHtml(*state_.inputs, *state_.plan, *model_, services_.today(),
                               profileBar_->typedName()),
                    QPageLayout::Landscape, title());
}

bool YearWindow::exportPayslipPdfTo(const QString& path, const Payslip& payslip)
{
    return writePdf(path, payslip.html, QPageLayout::Portrait, payslip.title);
}

bool YearWindow::writePdf(const QString& path, const QString& html,
                          QPageLayout::Orientation orientation, const QString& name)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(orientation);
    printer.setDocName(name);
    PrintReport(printer, html, font());
    if (printer.printerState() == QPrinter::Error || !QFileInfo(path).isFile()) {
        services_.messages->inform(QStringLiteral("无法写入文件“%1”。").arg(path));
        return false;
    }
    statusBar()->showMessage(QStringLiteral("已导出到 %1").arg(QFileInfo(path).fileName()), 8000);
    return true;
}

void YearWindow::exportPdf()
{
    const QString path = services_.dialogs->chooseSaveFile(
        this, QStringLiteral("导出为 PDF"), suggestedFileName(QStringLiteral(".pdf")),
        QStringLiteral("PDF 文件 (*.pdf)"));
    if (!path.isEmpty())
        exportPdfTo(path);
}

void YearWindow::exportPayslipPdf(const Payslip& payslip)
{
    const QString path = services_.dialogs->chooseSaveFile(this, QStringLiteral("导出工资条为 PDF"),
                                                           payslip.title + QStringLiteral(".pdf"),
                                                           QStringLiteral("PDF 文件 (*.pdf)"));
    if (!path.isEmpty())
        exportPayslipPdfTo(path, payslip);
}

void YearWindow::printPayslip(const Payslip& payslip)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(payslip.title);
    if (!services_.dialogs->choosePrinter(this, printer))
        return;
    PrintReport(printer, payslip.html, font());
    statusBar()->showMessage(QStringLiteral("已送去打印"), 8000);
}

void YearWindow::print()
{
    if (!state_.plan)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(title());
    if (!services_.dialogs->choosePrinter(this, printer))
        return;
    PrintReport(printer,
                ReportHtml(*state_.inputs, *state_.plan, *model_, services_.today(),
                           profileBar_->typedName()),
                font());
    statusBar()->showMessage(QStringLiteral("已送去打印"), 8000);
}

} // namespace tallyra::year
