#include "authoring/text_encoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, MapsCodePointsToWindows1252Bytes)
{
    const struct {
        char32_t codePoint;
        int byte;
    } cases[] = {
        {0x7F, 0x7F}, {0x80, -1},     {0x9F, -1},     {0xA0, 0xA0}, {0xFF, 0xFF},
        {0x100, -1},  {0x20AC, 0x80}, {0x0178, 0x9F}, {0x202F, -1}, {0x1F600, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Windows1252Byte(c.codePoint), c.byte) << CodePointName(c.codePoint);
}

TEST(TextEncoding, ConvertsAndListsWhatItCannot)
{
    std::vector<char32_t> unencodable;
    EXPECT_EQ(Utf8ToWindows1252(u8"Œuvre à 5 € – l’été", unencodable),
              "\x8Cuvre \xE0 5 \x80 \x96 l\x92\xE9t\xE9");
    EXPECT_TRUE(unencodable.empty());
    // Outside the macro, which would turn it into a plain literal that
    // Windows-1252 cannot hold.
    const std::string outside = u8"a☃b😀c☃";
    EXPECT_EQ(Utf8ToWindows1252(outside, unencodable), "abc");
    EXPECT_EQ(unencodable, (std::vector<char32_t>{0x2603, 0x1F600}));
}

TEST(TextEncoding, EveryDefinedByteComesBackThroughUtf8)
{
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        std::vector<char32_t> unencodable;
        const std::string back = Utf8ToWindows1252(Windows1252ToUtf8(one), unencodable);
        const bool undefined =
            byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
        EXPECT_EQ(back, undefined ? "" : one) << byte;
    }
}

TEST(TextEncoding, FindsTheFirstInvalidUtf8Byte)
{
    const struct {
        const char* name;
        std::string text;
        size_t offset;
    } cases[] = {
        {"valid", u8"aé€😀", std::string::npos}, {"Latin-1 byte", "caf\xE9!", 3},
        {"lone continuation", "a\x80", 1},      {"overlong", "ab\xC0\x80", 2},
        {"surrogate", "\xED\xA0\x80", 0},       {"past U+10FFFF", "x\xF4\x90\x80\x80", 1},
        {"cut short", "xy\xE2\x82", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindInvalidUtf8(c.text), c.offset) << c.name;
}
