#include "window/form1.h"

#include "platform/message_boxes.h"
#include "window/control_table.h"

#include <QKeyEvent>

namespace tallyra {
namespace {

constexpr int kEnterKeyCode = 13;

// Return and the keypad's Enter both count as Enter, whatever the shift state.
bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

Form1::Form1(FormServices services, QWidget* parent)
    : QMainWindow(parent)
    , services_(services) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("个人所得税计算器"));
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
    setCentralWidget(client);
    ui = BuildControls(client);
    connectHandlers();
    Form_Load();
}

void Form1::connectHandlers() {
    connect(ui.CmdExe, &QPushButton::clicked, this, &Form1::CmdExe_Click);
    connect(ui.CmdCalSJ, &QPushButton::clicked, this, &Form1::CmdCalSJ_Click);
    for (int i = 0; i < 2; ++i) {
        connect(ui.OptSjType[i], &QRadioButton::toggled, this, [this, i](bool chosen) {
            if (chosen)
                OptSjType_Click(i);
        });
    }
    ui.TxtSQ->installEventFilter(this);
    ui.TxtAdd->installEventFilter(this);
}

void Form1::Form_Load() {
    for (QLineEdit* box :
         {ui.TxtSQ, ui.Txt3J, ui.TxtAdd, ui.TxtSQ2, ui.TxtExe, ui.TxtSh, ui.txtSJXJ})
        box->setText(QStringLiteral("0"));
    ui.OptType[0]->setChecked(true);
    ui.CmbJs->setVisible(false);
    ui.cmbIfSQ->insertItem(0, QStringLiteral("税前"));
    ui.cmbIfSQ->insertItem(1, QStringLiteral("税后"));
    ui.cmbIfSQ->setCurrentIndex(0);
    state_.mSavingAll = false;
}

void Form1::CmdExe_Click() {
    Calculate();
}

void Form1::TxtSQ_KeyDown(int keyCode) {
    if (keyCode == kEnterKeyCode)
        Calculate();
}

void Form1::TxtAdd_KeyDown(int keyCode) {
    if (keyCode == kEnterKeyCode)
        Calculate();
}

void Form1::Form_KeyDown(int keyCode) {
    if (keyCode == kEnterKeyCode)
        Calculate();
}

// Enter in the salary or subsidy box is taken here and not passed on: a line edit ignores
// Return, and Qt would otherwise hand it to the window as well, computing twice.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == ui.TxtSQ || watched == ui.TxtAdd)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnter(key)) {
            if (watched == ui.TxtSQ)
                TxtSQ_KeyDown(kEnterKeyCode);
            else
                TxtAdd_KeyDown(kEnterKeyCode);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// The window's own key handling sees Enter only while no control of it has the focus; Enter
// passed up from another control (a read-only result box, say) computes nothing.
void Form1::keyPressEvent(QKeyEvent* event) {
    const QWidget* focused = focusWidget();
    const bool windowItself = !focused || focused == this || focused == centralWidget();
    if (isEnter(event) && windowItself) {
        Form_KeyDown(kEnterKeyCode);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form1::inform(const QString& text) {
    services_.messages->inform(text);
}

} // namespace tallyra
