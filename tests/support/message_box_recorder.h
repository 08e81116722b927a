// Records the message boxes the code under test asked for, in order.
#pragma once

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

std::vector<RecordedMessage>& RecordedMessages();
