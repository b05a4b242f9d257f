#include "window/accessibility.h"

#include <QLabel>

#include <array>

namespace tallyra {
namespace {

struct BoxDescription {
    const char* box;
    const char* label; // the caption beside the box, nullptr when the box stands alone
    const char* name;
};

// Every box a screen reader may land on or review, and what it is called. A contribution is
// named with its column (个人 / 公司), which a sighted user reads above it.
// clang-format off
constexpr std::array<BoxDescription, 21> kBoxes = {{
    {"CmbJs",        nullptr,     "其他交税基数"},
    {"cmbIfSQ",      nullptr,     "薪水类型（税前或税后）"},
    {"TxtAdd",       "Label3",    "补贴（可为负）"},
    {"TxtInputSJJS", nullptr,     "三金基数"},
    {"TxtGJJ",       "Label2(2)", "个人公积金"},
    {"TxtYLJ",       "Label2(3)", "个人养老保险"},
    {"TxtYLBX",      "Label2(4)", "个人医疗保险"},
    {"TxtSYBX",      "Label2(5)", "个人失业保险"},
    {"TxtGSGJJ",     "Label2(9)", "公司公积金"},
    {"TxtGSYLJ",     "Label2(8)", "公司养老保险"},
    {"TxtGSYLBX",    "Label2(7)", "公司医疗保险"},
    {"TxtGSSYBX",    "Label2(6)", "公司失业保险"},
    {"Txt3J",        "Label2(0)", "个人总计"},
    {"TxtCmp3J",     "Label1",    "公司总计"},
    {"TxtTol3J",     "Label6",    "四金总计"},
    {"TxtSQ2",       "Label8",    "税前薪水"},
    {"TxtSh",        "Label5",    "税后薪资"},
    {"TxtExe",       "Label4",    "所得税"},
    {"txtSJXJ",      "Label7",    "实际现金"},
    {"OptSjType(0)", "Label12",   "四金计算方式：按照税前"},
    {"OptSjType(1)", nullptr,     "四金计算方式：按以下数字"},
}};
// clang-format on

const QString kResultDescription = QStringLiteral("计算结果，只读");

void nameBoxes(QWidget* client)
{
    for (const BoxDescription& entry : kBoxes) {
        auto* box = client->findChild<QWidget*>(QString::fromLatin1(entry.box));
        box->setAccessibleName(QString::fromUtf8(entry.name));
        if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit())
            combo->lineEdit()->setAccessibleName(box->accessibleName());
        if (entry.label)
            client->findChild<QLabel*>(QString::fromLatin1(entry.label))->setBuddy(box);
        // A box the user cannot type into holds a figure the program worked out.
        if (auto* edit = qobject_cast<QLineEdit*>(box);
            edit && (edit->isReadOnly() || !edit->isEnabled()))
            box->setAccessibleDescription(kResultDescription);
    }
    // The caption is spread out to line up with its neighbours; it is read as one word.
    client->findChild<QLabel*>(QStringLiteral("Label4"))
        ->setAccessibleName(QStringLiteral("所得税"));
}

// "税前薪水" or "税后薪水": the box holds whichever figure the direction list says.
void followDirection(QComboBox* direction, QLineEdit* salary)
{
    auto rename = [direction, salary] {
        salary->setAccessibleName(QStringLiteral("%1薪水（输入）").arg(direction->currentText()));
    };
    rename();
    QObject::connect(direction, &QComboBox::currentTextChanged, salary, rename);
    // Some platforms announce a list box by its chosen entry; the description says what it is.
    direction->setAccessibleDescription(direction->accessibleName());
}

} // namespace

void DescribeForScreenReaders(const FormControls& controls, QWidget* client)
{
    nameBoxes(client);
    followDirection(controls.cmbIfSQ, controls.TxtSQ);
}

} // namespace tallyra
