#include "tests/support/message_box_recorder.h"

#include "quiz/message_box.h"

std::vector<RecordedMessage>& RecordedMessages()
{
    static std::vector<RecordedMessage> messages;
    return messages;
}

void ShowMessageBox(const char* text, const char* caption)
{
    RecordedMessages().push_back({text, caption});
}
