#include "checking/verdict.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The expected texts are written out, not taken from the VERDICT_ constants, so
// that the texts themselves are checked. \351 (0xE9) is é, \xC9 is É.
const char YADE_LIDEE[] = "yade lid\351e";

TEST(GradeAnswer, FollowsTheRulesInOrder)
{
    struct Case {
        const char *stored, *typed, *expected;
    } cases[] = {
        {"Paris", "  paris  ", "BRAVO"},
        {"Paris", "pairs", "Anagramme"},
        {"Paris", "Pari", "Quasiment"},
        {"Paris", "Par", "Presque"},
        {"Paris", "Paris France", "Trop long"},
        {"Paris", "\tParis\xA0", "Presque"}, // only spaces are trimmed
        {"Paris ", "Paris", "Quasiment"},
        {"Caf\xE9", "cafe", "Quasiment"},
        {"Caf\xE9", "CAF\xC9", "Quasiment"},
        {"abcdefghi", "abcdef", "FAUX"}, // a piece, but of fewer than 10 bytes
        {"abcdefghijklmnopqrst", "abcdefghijklmno", "Trop court"}, // 75 %
        {"abcdefghijklmnopqrst", "abcdefghijklmn", "pas loin"},    // 70 %
        {"abcdefghij", "abcdef", "pas loin"},                      // 60 %
        {"abcdefghij", "abcde", "FAUX"},                           // 50 %
        {"abcdefghijklmnop", "abcdefghijklmxyz", YADE_LIDEE},      // 81.25 %
        {"abcdefghijklmno", "abcdefghijklxyz", "FAUX"},            // 80 %
        {"ABAC", "ABABAC Z", "Trop long"}, // found although it starts inside a partial match
        {"ABACABABC", "ABACABABACABABC", "Trop long"}, // the search falls back twice on one byte
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, GradeAnswer(c.stored, c.typed)) << c.stored << " / " << c.typed;
}

// Each text lies unterminated at the very end of its own heap block, so that a
// sanitized build catches any read past byte 259.
TEST(GradeAnswer, GradesAll259BytesAndNoMore)
{
    const std::string a(259, 'A'), near = a.substr(0, 100) + "XYZ" + a.substr(103);
    struct Case {
        std::string stored, typed;
        const char* expected;
    } cases[] = {{a, a + "B", "BRAVO"},
                 {a, a.substr(1) + "B", "Quasiment"},
                 {a, near, YADE_LIDEE},
                 {a, std::string(259, ' '), "?"}};
    for (const Case& c : cases) {
        std::vector<char> stored(c.stored.begin(), c.stored.begin() + 259);
        std::vector<char> typed(c.typed.begin(), c.typed.begin() + 259);
        EXPECT_STREQ(c.expected, GradeAnswer(stored.data(), typed.data())) << c.typed;
    }
}

// Labels give back copies of their texts: colours go by content. The colours
// themselves are checked where the panel paints them (tests/windows).
TEST(VerdictColour, GivesEachVerdictItsLabelsBackground)
{
    const struct {
        const char* verdict;
        uint32_t colour;
    } rows[] = {
        {"BRAVO", RIGHT_COLOUR},        {"FAUX", WRONG_COLOUR},
        {"Anagramme", ANAGRAM_COLOUR},  {"Quasiment", NEAR_MISS_COLOUR},
        {"Presque", NEAR_MISS_COLOUR},  {"Trop court", NEAR_MISS_COLOUR},
        {"pas loin", NEAR_MISS_COLOUR}, {"Trop long", NEAR_MISS_COLOUR},
        {YADE_LIDEE, NEAR_MISS_COLOUR}, {"?", NO_VERDICT_COLOUR},
        {"bravo", NEAR_MISS_COLOUR}, // case counts: no verdict is spelt so
    };
    for (const auto& row : rows)
        EXPECT_EQ(VerdictColour(std::string(row.verdict).c_str()), row.colour) << row.verdict;
    EXPECT_EQ(VerdictColour(nullptr), NO_VERDICT_COLOUR);
}
