// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"
#include "year/files/profile_store.h"
#include "year/form/planner_inputs.h"
#include "year/pages/payslip.h"
#include "year/pages/result_page.h"

#include <QDate>
#include <QMainWindow>
#include <QPageLayout>

#include <array>
#include <functional>
#include <optional>

class QDialog;

class QAction;
class QLabel;

namespace tallyra {
class MessageBoxes;
class SettingsStore;
} // namespace tallyra

namespace tallyra::year {

class InputForm;
class FormPane;
class ProfileBar;
class ResultTabs;
class YearDialogs;
class YearTableModel;
class YearTablePage;

// What the year planner needs from the platform; tests hand in doubles.
struct YearServices {
    MessageBoxes* messages = nullptr;
    SettingsStore* settings = nullptr;
    YearDialogs* dialogs = nullptr;
    std::function<QDate()> today = [] { return QDate::currentDate(); };
};

// The year planner's main window: the inputs on the left; on the right the year table with a
// month's explanation, the chart, the bonus comparison, the reconciliation, after-tax →
// pre-tax, the law history and two profiles side by side; a menu bar and a status bar.
class YearWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit YearWindow(YearServices services, QWidget* parent = nullptr);
    ~YearWindow() override;

    static QString title() { return QStringLiteral("年度个税计算 — Tallyra"); }

    InputForm* form() const { return form_; }
    YearTableModel* model() const { return model_; }
    YearTablePage* tablePage() const { return tablePage_; }
    // The result pages; `tabs()->page<MonthChart>()` builds a page and brings it up to date.
    ResultTabs* tabs() const { return tabs_; }
    ProfileStore& profiles() { return profiles_; }

    const std::optional<PlannerInputs>& inputs() const { return state_.inputs; }
    const std::optional<law::YearPlan>& plan() const { return state_.plan; }
    const QStringList& problems() const { return state_.problems; }
    QString summary() const;

    // The commands of the menus, for the keys and for tests.
    bool exportCsvTo(const QString& path);
    bool exportPdfTo(const QString& path);
    // One month's payslip as a PDF; false (the user told why) when it cannot be written.
    bool exportPayslipPdfTo(const QString& path, const Payslip& payslip);
    void exportCsv();
    void exportPdf();
    void print();
    void saveProfile();
    void deleteProfile();
    bool loadProfile(const QString& name);
    void restoreDefaults();
    // Shows or hides the input form (查看 → 输入栏, F9): hidden, the results take the whole
    // width, so a small screen shows every column of the table.
    void showFormPane(bool shown);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createProfileBar();
    void createCentral();
    void createTabs();
    void restoreState();
    void fitToScreen();
    void adviseNarrowWindow();
    void recompute();
    void showSummary();
    void showUnreadableEntries(bool currentUnreadable, int currentFieldsDamaged,
                               const QString& profileInstead);
    void showProfiles(const QString& chosen);
    void markModified();
    bool hasUnsavedChanges() const;
    bool settleUnsavedChanges();
    bool saveAs(const QString& name);
    void chooseProfile(const QString& name);
    void applyWages(const std::array<std::optional<law::Money>, 12>& wages);
    void applySplit(law::Money wage, law::Money bonus, law::BonusTreatment treatment);
    void printPayslip(const Payslip& payslip);
    void showGuide();
    void exportPayslipPdf(const Payslip& payslip);
    bool writePdf(const QString& path, const QString& html, QPageLayout::Orientation orientation,
                  const QString& name);
    void putSplit(law::Money wage, law::Money bonus, law::BonusTreatment treatment,
                  const QString& message);
    QString suggestedFileName(const QString& suffix) const;

    YearServices services_;
    ProfileStore profiles_;
    InputForm* form_ = nullptr;
    YearTableModel* model_ = nullptr;
    YearTablePage* tablePage_ = nullptr;
    ResultTabs* tabs_ = nullptr;
    ProfileBar* profileBar_ = nullptr;
    FormPane* formPane_ = nullptr;
    QLabel* summary_ = nullptr;
    QAction* exportCsvAction_ = nullptr;
    QAction* exportPdfAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* saveProfileAction_ = nullptr;
    QAction* deleteProfileAction_ = nullptr;
    QAction* defaultsAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* guideAction_ = nullptr;
    QDialog* guide_ = nullptr; // built when first asked for
    QAction* formPaneAction_ = nullptr;

    PlannerState state_;
    std::optional<law::YearPlan> lastSoundPlan_; // the table's while a box is refused
    QString loadedProfile_;                      // the profile the inputs came from
    std::optional<PlannerInputs> loadedInputs_;  // its inputs as loaded or saved
    bool advised_ = false;                       // adviseNarrowWindow had its say
};

} // namespace tallyra::year
