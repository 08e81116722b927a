// Records the message boxes the code under test asked for, in order.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct RecordedMessage {
    std::string text;
    std::string caption;
    bool operator==(const RecordedMessage& other) const
    {
        return text == other.text && caption == other.caption;
    }
};

// How a failing expectation shows one.
inline void PrintTo(const RecordedMessage& message, std::ostream* out)
{
    *out << "[" << message.caption << ": " << message.text << "]";
}

std::vector<RecordedMessage>& RecordedMessages();

// Run while a box is shown, as the user acting on the program meanwhile;
// it runs once, then is cleared.
std::function<void()>& WhileMessageShown();
