// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <array>
#include <optional>

namespace tallyra {

class MessageBoxes;
class SettingsStore;

// The controls whose texts and options are remembered between runs.
struct SettingsControls {
    std::array<QRadioButton*, 2> OptType{};
    QComboBox* CmbJs = nullptr;
    QLineEdit* TxtAdd = nullptr;
    std::array<QRadioButton*, 2> OptSjType{};
    QLineEdit* TxtInputSJJS = nullptr;
};

// The remembered inputs start-up found usable, each as it was typed; empty where none was.
struct RememberedInputs {
    std::optional<QString> taxBase;   // a threshold above zero
    std::optional<QString> subsidy;   // any figure but zero: a subsidy may be negative
    std::optional<QString> fundsBase; // a base above zero
};

// Reads the tax threshold, the subsidy and the three-funds base at start-up, and saves them on
// request, each as the text typed.
class SettingsCommands {
public:
    SettingsCommands(SettingsStore& store, MessageBoxes& messages, SettingsControls controls);

    // What the store holds that can be restored; the window puts it into its controls.
    RememberedInputs LoadSettings() const;
    void SaveTaxBase();
    void SaveThreeFundsBase();
    void SaveSubsidy();
    void SaveAll();

private:
    // false after telling the user which value was not stored
    bool store(const QString& key, const QString& text, const QString& what);
    void reportSaved();

    SettingsStore& store_;
    MessageBoxes& messages_;
    SettingsControls ui;
    bool savingAll_ = false;   // the single saves then leave the final word to Save All
    bool writeFailed_ = false; // during Save All
};

} // namespace tallyra
