#include "checking/compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

// Bytes above 127 are escapes, so that the tests hold whatever the execution
// character set: \xE9 is é, \xC9 is É, \xA0 the no-break space.

template <void (*Operation)(char*)>
void CheckInPlace(std::initializer_list<std::pair<const char*, const char*>> cases)
{
    for (auto [input, expected] : cases) {
        char buffer[TEXT_SIZE];
        Operation(strcpy(buffer, input));
        EXPECT_STREQ(expected, buffer) << "[" << input << "]";
    }
}

TEST(ToUpperAscii, FoldsOnlyAsciiLetters)
{
    CheckInPlace<ToUpperAscii>({{"Caf\xE9", "CAF\xE9"}, {"abc123", "ABC123"}, {"`az{", "`AZ{"}});
}

TEST(TrimSpaces, RemovesOnlySurroundingSpaces)
{
    CheckInPlace<TrimSpaces>(
        {{"   ", ""}, {" A ", "A"}, {"A  B", "A  B"}, {"\tA", "\tA"}, {"  A\xA0  ", "A\xA0"}});
}

TEST(SortLetters, OrdersBytesAsSigned)
{
    CheckInPlace<SortLetters>(
        {{"PARIS", "AIPRS"}, {"TOUR\xC9", "\xC9ORTU"}, {"\x7F\x80\xFF", "\x80\xFF\x7F"}});
}

// Random texts of every length up to 259, so across the 64-row words of the
// fast form, on few letters so that matches are frequent; half are edited copies.
TEST(EditDistance, AgreesWithTheTableFilledCellByCell)
{
    auto reference = [](const std::string& a, const std::string& b) {
        std::vector<int> row(b.size() + 1);
        for (size_t j = 0; j <= b.size(); ++j)
            row[j] = static_cast<int>(j);
        for (size_t i = 1; i <= a.size(); ++i) {
            int diagonal = row[0];
            row[0] = static_cast<int>(i);
            for (size_t j = 1; j <= b.size(); ++j) {
                int above = row[j];
                row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
                diagonal = above;
            }
        }
        return row[b.size()];
    };
    std::mt19937 random(4);
    auto text = [&](int letters) {
        std::string t(random() % 260, ' ');
        for (char& c : t)
            c = "ABC\xE9"[random() % letters];
        return t;
    };
    for (int round = 0; round < 2000; ++round) {
        std::string a = text(1 + round % 4), b = round % 2 ? text(1 + round % 4) : a;
        for (int edit = round % 7; edit > 0 && !b.empty() && b.size() < 259; --edit)
            b.insert(random() % b.size(), "Z").erase(random() % b.size(), edit % 3);
        ASSERT_EQ(reference(a, b), EditDistance(a.c_str(), b.c_str())) << a << " / " << b;
    }
}

TEST(FindContained, TellsWhichIsInsideAndExchangesBuffers)
{
    struct Case {
        const char *s1, *s2;
        int expected;
    } cases[] = {{"PARIS", "PARIS FRANCE", 2},
                 {"CONSTANTINOPLE", "CONSTANTIN", -2},
                 {"PARIS", "LYON", 0},
                 {"ABC", "ABC", 2},
                 {"ABC", "ABD", 0},
                 {"", "", 1},
                 {"ABC", "", -1},
                 {"AAB", "AAAB", 2},
                 {"ABAC", "ABABAC Z", 2},
                 {"ABABAC Z", "ABAC", -2},
                 {"ABAB", "ABAAB", 0},
                 {"ABACABABC", "ABACABABACABABC", 2}}; // falls back twice on one byte
    for (const Case& c : cases) {
        char s1[TEXT_SIZE], s2[TEXT_SIZE];
        strcpy(s1, c.s1);
        strcpy(s2, c.s2);
        EXPECT_EQ(c.expected, FindContained(s1, s2)) << c.s1 << " / " << c.s2;
        bool exchanged = strlen(c.s2) < strlen(c.s1);
        EXPECT_STREQ(exchanged ? c.s2 : c.s1, s1) << c.s1 << " / " << c.s2;
        EXPECT_STREQ(exchanged ? c.s1 : c.s2, s2) << c.s1 << " / " << c.s2;
    }
}
