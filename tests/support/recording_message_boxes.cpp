// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/recording_message_boxes.h"

namespace tallyra::test {

bool RecordingMessageBoxes::askYesNo(const QString& text)
{
    shown.append(text);
    if (scripted.empty()) {
        ++unexpectedQuestions;
        return false;
    }
    const bool answer = scripted.front();
    scripted.pop_front();
    return answer;
}

MessageBoxes::SaveChoice RecordingMessageBoxes::askSaveChanges(const QString& text)
{
    shown.append(text);
    if (scriptedChoices.empty()) {
        ++unexpectedQuestions;
        return SaveChoice::Cancel;
    }
    const SaveChoice choice = scriptedChoices.front();
    scriptedChoices.pop_front();
    return choice;
}

void RecordingMessageBoxes::scriptChoices(std::initializer_list<SaveChoice> choices)
{
    scriptedChoices.insert(scriptedChoices.end(), choices);
}

void RecordingMessageBoxes::scriptAnswers(std::initializer_list<bool> answers)
{
    scripted.insert(scripted.end(), answers);
}

void RecordingMessageBoxes::clear()
{
    shown.clear();
    scripted.clear();
    scriptedChoices.clear();
    unexpectedQuestions = 0;
}

} // namespace tallyra::test
