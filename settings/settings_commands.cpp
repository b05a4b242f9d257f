// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_commands.h"

#include "platform/message_boxes.h"
#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "settings/settings_messages.h"

namespace tallyra {
namespace {

const QString kSection = QStringLiteral("Settings");
const QString kTaxBaseKey = QStringLiteral("JSJS");
const QString kSubsidyKey = QStringLiteral("BT");
const QString kFundsBaseKey = QStringLiteral("J3JS");
const QString kZero = QStringLiteral("0");

// A stored text that is missing, damaged or out of range restores nothing.
float StoredNumber(const QString& text)
{
    return ReadSingle(text).value_or(0.0f);
}

// A stored text longer than its box holds counts as damaged: the box would keep only its start
// (another number), and the next save would write that back over the stored value.
bool FitsBox(const QString& text, const QLineEdit* box)
{
    return text.size() <= box->maxLength();
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
    if (StoredNumber(taxBase) > 0.0f && FitsBox(taxBase, ui.CmbJs->lineEdit()))
        found.taxBase = taxBase;
    if (StoredNumber(subsidy) != 0.0f && FitsBox(subsidy, ui.TxtAdd))
        found.subsidy = subsidy;
    if (StoredNumber(fundsBase) > 0.0f && FitsBox(fundsBase, ui.TxtInputSJJS))
        found.fundsBase = fundsBase;
    return found;
}

void SettingsCommands::SaveTaxBase()
{
    const QString text = ui.CmbJs->currentText();
    if (text.isEmpty()) {
        if (store(kTaxBaseKey, kZero, settings_messages::TaxBase()))
            reportSaved();
        return;
    }
    if (!IsNumeric(text)) {
        messages_.inform(settings_messages::TaxBaseNotNumeric());
        return;
    }
    const QString value = ui.OptType[0]->isChecked() ? kZero : ui.CmbJs->currentText();
    if (store(kTaxBaseKey, value, settings_messages::TaxBase()))
        reportSaved();
}

void SettingsCommands::SaveThreeFundsBase()
{
    const QString text = ui.TxtInputSJJS->text();
    if (text.isEmpty()) {
        store(kFundsBaseKey, kZero, settings_messages::FundsBase());
        return;
    }
    if (!IsNumeric(text)) {
        messages_.inform(settings_messages::FundsBaseNotNumeric());
        return;
    }
    const QString value = ui.OptSjType[0]->isChecked() ? kZero : text;
    if (store(kFundsBaseKey, value, settings_messages::FundsBase()))
        reportSaved();
}

void SettingsCommands::SaveSubsidy()
{
    const QString text = ui.TxtAdd->text();
    if (text.isEmpty()) {
        store(kSubsidyKey, kZero, settings_messages::Subsidy());
        return;
    }
    if (!IsNumeric(text)) {
        messages_.inform(settings_messages::SubsidyNotNumeric());
        return;
    }
    if (store(kSubsidyKey, text, settings_messages::Subsidy()))
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
        messages_.inform(settings_messages::Saved());
}

bool SettingsCommands::store(const QString& key, const QString& text, const QString& what)
{
    if (store_.save(kSection, key, text))
        return true;
    writeFailed_ = true;
    messages_.inform(settings_messages::NotWritten(what));
    return false;
}

void SettingsCommands::reportSaved()
{
    if (!savingAll_)
        messages_.inform(settings_messages::Saved());
}

} // namespace tallyra
