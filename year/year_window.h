// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"
#include "year/files/profile_store.h"
#include "year/form/planner_inputs.h"

#include <QDate>
#include <QMainWindow>

#include <array>

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTextBrowser;

namespace tallyra {
class MessageBoxes;
class SettingsStore;
} // namespace tallyra

namespace tallyra::year {

class ComparePage;
class HistoryPage;
class InputForm;
class MonthChart;
class TakeHomePage;
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
    QTabWidget* tabs() const { return tabs_; }
    // The pages built on first showing (their charts cost start-up time); built and brought up
    // to date by these.
    MonthChart* chart();
    HistoryPage* history();
    TakeHomePage* takeHome();
    ComparePage* compare();
    ProfileStore& profiles() { return profiles_; }

    const std::optional<PlannerInputs>& inputs() const { return inputs_; }
    const std::optional<law::YearPlan>& plan() const { return plan_; }
    const QStringList& problems() const { return problems_; }
    QString summary() const;

    // The commands of the menus, for the keys and for tests.
    bool exportCsvTo(const QString& path);
    bool exportPdfTo(const QString& path);
    void exportCsv();
    void exportPdf();
    void print();
    void saveProfile();
    void deleteProfile();
    bool loadProfile(const QString& name);
    void restoreDefaults();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createActions();
    void createMenus();
    QWidget* createProfileBar();
    void createCentral();
    void restoreState();
    void recompute();
    void showSummary();
    void showProfiles(const QString& chosen);
    void markModified();
    void showProfileHint(const QString& text);
    void buildPageOnFirstShow(int index);
    void showPage(int index);
    void refreshPage(int index);
    void applyWages(const std::array<std::optional<law::Money>, 12>& wages);
    QString suggestedFileName(const QString& suffix) const;

    YearServices services_;
    ProfileStore profiles_;
    InputForm* form_ = nullptr;
    YearTableModel* model_ = nullptr;
    YearTablePage* tablePage_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    MonthChart* chart_ = nullptr;
    HistoryPage* history_ = nullptr;
    QTextBrowser* bonusView_ = nullptr;
    QTextBrowser* reconciliationView_ = nullptr;
    TakeHomePage* takeHome_ = nullptr;
    ComparePage* compare_ = nullptr;
    QComboBox* profileBox_ = nullptr;
    QLabel* profileHint_ = nullptr;
    QLabel* summary_ = nullptr;
    QAction* exportCsvAction_ = nullptr;
    QAction* exportPdfAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* saveProfileAction_ = nullptr;
    QAction* deleteProfileAction_ = nullptr;
    QAction* defaultsAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QList<QAction*> pageActions_;
    // Pages whose figures were left for when they are shown: laying out text no one sees costs
    // start-up time and every keystroke.
    std::array<bool, 7> stale_{};
    std::array<bool, 7> built_{true}; // the table page from the start

    std::optional<PlannerInputs> inputs_;
    std::optional<law::YearPlan> plan_;
    QStringList problems_;
    QString loadedProfile_;                     // the profile the inputs came from
    std::optional<PlannerInputs> loadedInputs_; // its inputs as loaded or saved
};

} // namespace tallyra::year
