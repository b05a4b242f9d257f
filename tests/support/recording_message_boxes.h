// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/message_boxes.h"

#include <QStringList>

#include <deque>

namespace tallyra::test {

// Records every message instead of showing it, and answers questions from a script. A
// question with no scripted answer is recorded as unexpected (and answered No), so a test
// fails instead of hanging on a dialog.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    void inform(const QString& text) override { shown.append(text); }
    bool askYesNo(const QString& text) override;
    // An unscripted one is answered Cancel.
    SaveChoice askSaveChanges(const QString& text) override;

    void scriptAnswers(std::initializer_list<bool> answers);
    void scriptChoices(std::initializer_list<SaveChoice> choices);
    void clear();

    QStringList shown;           // every text, in order, questions included
    int unexpectedQuestions = 0; // questions asked with no answer scripted
    std::deque<bool> scripted;
    std::deque<SaveChoice> scriptedChoices;
};

} // namespace tallyra::test
