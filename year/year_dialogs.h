// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace tallyra {
class MessageBoxes;
}

namespace tallyra::year {

// The file and printer dialogs the planner opens, behind a seam: the program shows Qt's
// dialogs; tests name a file or a PDF printer without a dialog.
class YearDialogs {
public:
    virtual ~YearDialogs() = default;

    // The file to write, or empty when the user cancels.
    virtual QString chooseSaveFile(QWidget* parent, const QString& title,
                                   const QString& suggestedName, const QString& filter) = 0;
    // Sets up `printer` as the user chooses; false when the user cancels.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// Qt's own file dialog and print dialog, modal over `parent`; where the print dialog cannot
// open, the user is told so through `messages`.
class QtYearDialogs final : public YearDialogs {
public:
    explicit QtYearDialogs(MessageBoxes& messages)
        : messages_(messages)
    {
    }

    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& suggestedName,
                           const QString& filter) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;

private:
    MessageBoxes& messages_;
};

} // namespace tallyra::year
