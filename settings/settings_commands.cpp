#include "settings/settings_commands.h"

#include "platform/message_boxes.h"
#include "platform/numbers.h"
#include "platform/settings_store.h"

namespace tallyra {
namespace {

const QString kSection = QStringLiteral("Settings");
const QString kTaxBaseKey = QStringLiteral("JSJS");
const QString kSubsidyKey = QStringLiteral("BT");
const QString kFundsBaseKey = QStringLiteral("J3JS");
const QString kZero = QStringLiteral("0");
const QString kSaved = QStringLiteral("保存成功！");

// A stored text that is missing, damaged or out of range restores nothing.
float storedNumber(const QString& text)
{
    return ReadSingle(text).value_or(0.0f);
}

} // namespace

SettingsCommands::SettingsCommands(SettingsStore& store, MessageBoxes& messages,
                                   SettingsControls controls)
    : store_(store)
    , messages_(messages)
    , ui(controls)
{
}

RememberedInputs SettingsCommands::LoadSettings() const
{
    const QString taxBase = store_.read(kSection, kTaxBaseKey, kZero);
    const QString subsidy = store_.read(kSection, kSubsidyKey, kZero);
    const QString fundsBase = store_.read(kSection, kFundsBaseKey, kZero);

    RememberedInputs found;
    if (storedNumber(taxBase) > 0.0f)
        found.taxBase = taxBase;
    if (storedNumber(subsidy) != 0.0f)
        found.subsidy = subsidy;
    if (storedNumber(fundsBase) > 0.0f)
        found.fundsBase = fundsBase;
    return found;
}

void SettingsCommands::SaveTaxBase()
{
    const QString text = ui.CmbJs->currentText();
    if (text.isEmpty()) {
        if (store(kTaxBaseKey, kZero, QStringLiteral("交税基数")))
            reportSaved();
        return;
    }
    if (!IsNumeric(text)) {
        messages_.inform(QStringLiteral("交税基数一栏请输入正确的数字！"));
        return;
    }
    const QString value = ui.OptType[0]->isChecked() ? kZero : ui.CmbJs->currentText();
    if (store(kTaxBaseKey, value, QStringLiteral("交税基数")))
        reportSaved();
}

void SettingsCommands::SaveThreeFundsBase()
{
    const QString text = ui.TxtInputSJJS->text();
    if (text.isEmpty()) {
        store(kFundsBaseKey, kZero, QStringLiteral("三金基数"));
        return;
    }
    if (!IsNumeric(text)) {
        messages_.inform(QStringLiteral("三金基数一栏请输入正确的数字！"));
        return;
    }
    const QString value = ui.OptSjType[0]->isChecked() ? kZero : text;
    if (store(kFundsBaseKey, value, QStringLiteral("三金基数")))
        reportSaved();
}

void SettingsCommands::SaveSubsidy()
{
    const QString text = ui.TxtAdd->text();
    if (text.isEmpty()) {
        store(kSubsidyKey, kZero, QStringLiteral("补贴数字"));
        return;
    }
    if (!IsNumeric(text)) {
        messages_.inform(QStringLiteral("补贴一栏请输入正确的数字！"));
        return;
    }
    if (store(kSubsidyKey, text, QStringLiteral("补贴数字")))
        reportSaved();
}

// Each save runs with its own checks; the final word is success unless a value could not be
// written at all (a box that failed its test has said so, and the others were saved).
void SettingsCommands::SaveAll()
{
    savingAll_ = true;
    writeFailed_ = false;
    SaveTaxBase();
    SaveSubsidy();
    SaveThreeFundsBase();
    savingAll_ = false;
    if (!writeFailed_)
        messages_.inform(kSaved);
}

bool SettingsCommands::store(const QString& key, const QString& text, const QString& what)
{
    if (store_.save(kSection, key, text))
        return true;
    writeFailed_ = true;
    messages_.inform(QStringLiteral("%1保存失败：无法写入设置文件，请检查它是否可写！").arg(what));
    return false;
}

void SettingsCommands::reportSaved()
{
    if (!savingAll_)
        messages_.inform(kSaved);
}

} // namespace tallyra
