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

void RecordingMessageBoxes::scriptAnswers(std::initializer_list<bool> answers)
{
    scripted.insert(scripted.end(), answers);
}

void RecordingMessageBoxes::clear()
{
    shown.clear();
    scripted.clear();
    unexpectedQuestions = 0;
}

} // namespace tallyra::test
