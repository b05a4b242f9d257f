#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

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

// Restores the tax threshold, the subsidy and the three-funds base at start-up, and saves
// them on request, each as the text typed.
class SettingsCommands {
public:
    SettingsCommands(SettingsStore& store, MessageBoxes& messages, SettingsControls controls,
                     bool& savingAll);

    void LoadSettings();
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
    bool& mSavingAll;
    bool writeFailed_ = false; // during Save All
};

} // namespace tallyra
