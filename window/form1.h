#pragma once

#include "core/contributions.h"
#include "window/form_controls.h"
#include "window/form_state.h"

#include <QMainWindow>

namespace tallyra {

class MessageBoxes;

// What the main window needs from the platform; tests hand in doubles.
struct FormServices {
    MessageBoxes* messages = nullptr;
};

// The calculator's main window: its controls, its form state and its handlers.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(FormServices services, QWidget* parent = nullptr);

    const FormState& state() const { return state_; }

    // Handlers of the window's events, each named after its control and event.
    void CmdExe_Click();
    void CmdCalSJ_Click();
    void OptSjType_Click(int index);
    void TxtSQ_KeyDown(int keyCode);
    void TxtAdd_KeyDown(int keyCode);
    void Form_KeyDown(int keyCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void connectHandlers();

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
};

} // namespace tallyra
