#include "tests/support/message_box_recorder.h"

#include "quiz/message_box.h"

#include <utility>

std::vector<RecordedMessage>& RecordedMessages()
{
    static std::vector<RecordedMessage> messages;
    return messages;
}

std::function<void()>& WhileMessageShown()
{
    static std::function<void()> action;
    return action;
}

void ShowMessageBox(const char* text, const char* caption)
{
    RecordedMessages().push_back({text, caption});
    if (const std::function<void()> action = std::exchange(WhileMessageShown(), nullptr))
        action();
}
