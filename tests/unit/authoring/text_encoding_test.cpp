#include "authoring/source/text_encoding.h"

#include <gtest/gtest.h>

// Every defined byte comes back through UTF-8; the code points at the borders
// of the ranges that map to bytes have none.
TEST(TextEncoding, MapsEveryDefinedByteAndNothingBesideThem)
{
    for (const char32_t codePoint : {0x80, 0x9F, 0x100})
        EXPECT_EQ(Windows1252Byte(codePoint), -1) << CodePointName(codePoint);
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
