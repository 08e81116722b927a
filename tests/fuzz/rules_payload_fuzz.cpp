// Any bytes as a rules payload: the parser stays inside the bytes given, keeps
// to its bounds, and what it reads is written back byte for byte.
#include "quiz/rules_payload.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    QuizRules rules;
    if (!ParseRulesPayload(data, static_cast<uint32_t>(size), rules)) {
        if (rules.Any())
            __builtin_trap();
        return 0;
    }
    if (rules.alternatives.size() > static_cast<size_t>(MAX_QUESTIONS))
        __builtin_trap();
    std::vector<unsigned char> payload;
    if (!BuildRulesPayload(rules, payload) || payload.size() != size ||
        memcmp(payload.data(), data, size) != 0)
        __builtin_trap();
    return 0;
}
