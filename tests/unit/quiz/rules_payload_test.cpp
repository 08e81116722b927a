#include "quiz/rules_payload.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

QuizRules Sample()
{
    QuizRules rules;
    rules.rules.articlesOptional = true;
    rules.rules.capitalsRequired = true;
    rules.alternatives.resize(3);
    rules.alternatives[0][0] = {"Tamise", "la Tamise"};
    rules.alternatives[2][1] = {"c\x9C"
                                "ur",
                                std::string(MAX_TEXT_LENGTH, '\xE9')};
    return rules;
}

bool Parse(const Bytes& bytes, QuizRules& rules)
{
    // A buffer of the payload's own size, so that a read past it shows under
    // the sanitizers.
    return ParseRulesPayload(bytes.data(), static_cast<uint32_t>(bytes.size()), rules);
}

void ExpectEqual(const QuizRules& a, const QuizRules& b)
{
    EXPECT_EQ(a.rules.accentsOptional, b.rules.accentsOptional);
    EXPECT_EQ(a.rules.articlesOptional, b.rules.articlesOptional);
    EXPECT_EQ(a.rules.hyphensAsSpaces, b.rules.hyphensAsSpaces);
    EXPECT_EQ(a.rules.capitalsRequired, b.rules.capitalsRequired);
    EXPECT_EQ(a.alternatives, b.alternatives);
}

} // namespace

TEST(RulesPayload, ReadsBackWhatItWrites)
{
    std::vector<QuizRules> cases(6);
    cases[1].rules.accentsOptional = true;
    cases[2].rules.hyphensAsSpaces = true;
    cases[3] = Sample();
    cases[4].alternatives.resize(MAX_QUESTIONS);
    cases[4].alternatives[MAX_QUESTIONS - 1][0].assign(MAX_ALTERNATIVES, "x");
    cases[5].rules = {true, true, true, true};
    for (const QuizRules& rules : cases) {
        Bytes payload;
        ASSERT_TRUE(BuildRulesPayload(rules, payload));
        EXPECT_EQ(payload[0], RULES_PAYLOAD_VERSION);
        QuizRules read;
        read.rules.accentsOptional = true; // replaced, not merged
        ASSERT_TRUE(Parse(payload, read));
        ExpectEqual(read, rules);
    }
}

TEST(RulesPayload, RefusesRulesItCannotWrite)
{
    std::vector<QuizRules> cases(5);
    cases[0].alternatives.resize(MAX_QUESTIONS + 1);
    cases[1].alternatives.resize(1);
    cases[1].alternatives[0][1].assign(MAX_ALTERNATIVES + 1, "x");
    cases[2].alternatives.resize(1);
    cases[2].alternatives[0][0] = {""};
    cases[3].alternatives.resize(1);
    cases[3].alternatives[0][0] = {std::string(MAX_TEXT_LENGTH + 1, 'a')};
    cases[4].alternatives.resize(1);
    cases[4].alternatives[0][0] = {std::string("a\0b", 3)};
    for (const QuizRules& rules : cases) {
        Bytes payload = {1, 2, 3};
        EXPECT_FALSE(BuildRulesPayload(rules, payload));
        EXPECT_TRUE(payload.empty());
    }
}

TEST(RulesPayload, RefusesDamagedBytesWhole)
{
    Bytes good;
    ASSERT_TRUE(BuildRulesPayload(Sample(), good));
    auto with = [&](size_t at, unsigned char value) {
        Bytes bytes = good;
        bytes[at] = value;
        return bytes;
    };
    auto rows = [](unsigned char count) {
        Bytes bytes = {RULES_PAYLOAD_VERSION, 0, count};
        bytes.resize(bytes.size() + 2u * count, 0);
        return bytes;
    };
    const struct {
        const char* what;
        Bytes bytes;
        bool read;
    } cases[] = {
        {"empty", {}, false},
        {"version alone", {RULES_PAYLOAD_VERSION}, false},
        {"no rows", {RULES_PAYLOAD_VERSION, 0, 0}, true},
        {"a later version", with(0, RULES_PAYLOAD_VERSION + 1), false},
        {"version 0", with(0, 0), false},
        {"an unknown rule", with(1, 0x10 | good[1]), false},
        {"MAX_QUESTIONS rows", rows(MAX_QUESTIONS), true},
        {"one row too many", rows(MAX_QUESTIONS + 1), false},
        {"a row missing", with(2, 4), false},
        {"one row, one text", {RULES_PAYLOAD_VERSION, 0, 1, 1, 2, 0, 'a', 'b', 0}, true},
        {"a count past the end", {RULES_PAYLOAD_VERSION, 0, 1, 2, 2, 0, 'a', 'b', 0}, false},
        {"a length past the end", {RULES_PAYLOAD_VERSION, 0, 1, 1, 3, 0, 'a', 'b', 0}, false},
        {"a box missing", {RULES_PAYLOAD_VERSION, 0, 1, 1, 2, 0, 'a', 'b'}, false},
        {"too many alternatives", with(3, MAX_ALTERNATIVES + 1), false},
        {"a length of zero", with(4, 0), false},
        {"a length past MAX_TEXT_LENGTH", with(5, 1), false},
        {"a zero byte in a text", with(6, 0), false},
        {"cut in a length", Bytes(good.begin(), good.begin() + 5), false},
        {"cut in a text", Bytes(good.begin(), good.end() - 1), false},
        {"a byte after the end",
         [&] {
             Bytes bytes = good;
             bytes.push_back(0);
             return bytes;
         }(),
         false},
    };
    for (const auto& c : cases) {
        QuizRules rules = Sample();
        EXPECT_EQ(Parse(c.bytes, rules), c.read) << c.what;
        if (!c.read)
            ExpectEqual(rules, QuizRules());
    }
    QuizRules rules = Sample();
    EXPECT_FALSE(ParseRulesPayload(nullptr, 3, rules));
    EXPECT_FALSE(rules.Any());
}
