// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "about/frm_about.h"
#include "core/contributions.h"
#include "window/form_controls.h"
#include "window/form_state.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

namespace tallyra {

class Launcher;
class MessageBoxes;
class ProgramFiles;
class SettingsCommands;
class SettingsStore;

// What the main window needs from the platform; tests hand in doubles.
struct FormServices {
    MessageBoxes* messages = nullptr;
    SettingsStore* settings = nullptr;
    Launcher* launcher = nullptr;
    ProgramFiles* programFiles = nullptr;
    AboutServices about;
};

// The calculator's main window: its controls, its form state and its handlers.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(FormServices services, QWidget* parent = nullptr);
    ~Form1() override;

    const FormState& state() const { return state_; }

    // Handlers of the window's events, each named after its control and event.
    void CmdExe_Click();
    void CmdCalSJ_Click();
    void CmdReset_Click();
    void CmdClose_Click();
    void CmdAbout_Click();
    void OptType_Click(int index);
    void OptSjType_Click(int index);
    // Enter in the salary box, in the subsidy box, or on the window itself: the only key the
    // three handle.
    void TxtSQ_KeyDown();
    void TxtAdd_KeyDown();
    void Form_KeyDown();
    void M_SaveJS_Click();
    void M_Save3JJS_Click();
    void M_SaveBT_Click();
    void M_SaveAll_Click();
    void MC_about_Click();
    void MC_readme_Click();
    void MC_quit_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void LoadSettings();
    void connectHandlers();
    void connectOptionGroup(const std::array<QRadioButton*, 2>& group, void (Form1::*handler)(int));
    void createMenus();
    void fixWindowSize();
    void focusFirstControl();

    // The calculation: reading and checking the inputs, then the tax and the four figures.
    void Calculate();
    bool setValue();
    bool chkNumeric();
    void GetJS();
    bool settleThreeFunds();
    void writeResults();

    // The three-funds command; false when it stopped with one of its messages.
    bool computeThreeFunds();
    Contributions writeContributions(float base);

    void inform(const QString& text);

    FormServices services_;
    FormState state_;
    FormControls ui;
    std::vector<QWidget*> tabOrder_; // every control with a tab position, in that order
    std::unique_ptr<SettingsCommands> settings_;
    QPointer<frmAbout> aboutBox_; // one box at a time, owned by no window
};

} // namespace tallyra
