#include "quiz/rules_payload.h"

#include <cstring>

namespace {

constexpr unsigned char ACCENTS_BIT = 1;
constexpr unsigned char ARTICLES_BIT = 2;
constexpr unsigned char HYPHENS_BIT = 4;
constexpr unsigned char CAPITALS_BIT = 8;
constexpr unsigned char KNOWN_BITS = ACCENTS_BIT | ARTICLES_BIT | HYPHENS_BIT | CAPITALS_BIT;

bool ValidAlternative(const std::string& text)
{
    return !text.empty() && text.size() <= static_cast<size_t>(MAX_TEXT_LENGTH) &&
           text.find('\0') == std::string::npos;
}

// Reads the payload from front to back, failing on the first byte missing.
struct Reader {
    const unsigned char* data;
    uint32_t size;
    uint32_t at = 0;

    bool Byte(unsigned& value)
    {
        if (at >= size)
            return false;
        value = data[at++];
        return true;
    }
};

bool ParseRows(Reader& reader, QuizRules& rules)
{
    unsigned flags = 0;
    unsigned rows = 0;
    if (!reader.Byte(flags) || (flags & ~KNOWN_BITS) != 0 || !reader.Byte(rows) ||
        rows > MAX_QUESTIONS)
        return false;
    rules.rules.accentsOptional = (flags & ACCENTS_BIT) != 0;
    rules.rules.articlesOptional = (flags & ARTICLES_BIT) != 0;
    rules.rules.hyphensAsSpaces = (flags & HYPHENS_BIT) != 0;
    rules.rules.capitalsRequired = (flags & CAPITALS_BIT) != 0;
    rules.alternatives.resize(rows);
    for (auto& boxes : rules.alternatives) {
        for (auto& spellings : boxes) {
            unsigned count = 0;
            if (!reader.Byte(count) || count > MAX_ALTERNATIVES)
                return false;
            for (unsigned i = 0; i < count; ++i) {
                unsigned low = 0;
                unsigned high = 0;
                if (!reader.Byte(low) || !reader.Byte(high))
                    return false;
                const unsigned length = low | high << 8;
                if (length == 0 || length > MAX_TEXT_LENGTH || length > reader.size - reader.at)
                    return false;
                const char* text = reinterpret_cast<const char*>(reader.data + reader.at);
                if (memchr(text, '\0', length))
                    return false;
                spellings.emplace_back(text, length);
                reader.at += length;
            }
        }
    }
    return reader.at == reader.size;
}

} // namespace

bool BuildRulesPayload(const QuizRules& rules, std::vector<unsigned char>& payload)
{
    payload.clear();
    if (rules.alternatives.size() > static_cast<size_t>(MAX_QUESTIONS))
        return false;
    const AnswerRules& r = rules.rules;
    payload.push_back(RULES_PAYLOAD_VERSION);
    payload.push_back(static_cast<unsigned char>(
        (r.accentsOptional ? ACCENTS_BIT : 0) | (r.articlesOptional ? ARTICLES_BIT : 0) |
        (r.hyphensAsSpaces ? HYPHENS_BIT : 0) | (r.capitalsRequired ? CAPITALS_BIT : 0)));
    payload.push_back(static_cast<unsigned char>(rules.alternatives.size()));
    for (const auto& boxes : rules.alternatives) {
        for (const auto& spellings : boxes) {
            if (spellings.size() > static_cast<size_t>(MAX_ALTERNATIVES)) {
                payload.clear();
                return false;
            }
            payload.push_back(static_cast<unsigned char>(spellings.size()));
            for (const std::string& text : spellings) {
                if (!ValidAlternative(text)) {
                    payload.clear();
                    return false;
                }
                payload.push_back(static_cast<unsigned char>(text.size() & 0xFF));
                payload.push_back(static_cast<unsigned char>(text.size() >> 8));
                payload.insert(payload.end(), text.begin(), text.end());
            }
        }
    }
    return true;
}

bool ParseRulesPayload(const unsigned char* data, uint32_t size, QuizRules& rules)
{
    rules = QuizRules();
    Reader reader{data, data ? size : 0};
    unsigned version = 0;
    if (reader.Byte(version) && version == RULES_PAYLOAD_VERSION && ParseRows(reader, rules))
        return true;
    rules = QuizRules();
    return false;
}
