#include "quiz/text_encoding.h"

#include <gtest/gtest.h>

#include <iterator>

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

// Every letter of Windows-1252 that Unicode decomposes (a letter and one
// combining accent: the list is Unicode's own, 58 letters), given decomposed,
// comes out as its one byte, alone and within a word.
TEST(TextEncoding, ComposesEveryDecomposedLetterOfWindows1252)
{
    const struct {
        char base;
        char32_t mark;
        unsigned char byte;
    } letters[] = {
        {'S', 0x030C, 0x8A}, {'Z', 0x030C, 0x8E}, {'s', 0x030C, 0x9A}, {'z', 0x030C, 0x9E},
        {'Y', 0x0308, 0x9F}, {'A', 0x0300, 0xC0}, {'A', 0x0301, 0xC1}, {'A', 0x0302, 0xC2},
        {'A', 0x0303, 0xC3}, {'A', 0x0308, 0xC4}, {'A', 0x030A, 0xC5}, {'C', 0x0327, 0xC7},
        {'E', 0x0300, 0xC8}, {'E', 0x0301, 0xC9}, {'E', 0x0302, 0xCA}, {'E', 0x0308, 0xCB},
        {'I', 0x0300, 0xCC}, {'I', 0x0301, 0xCD}, {'I', 0x0302, 0xCE}, {'I', 0x0308, 0xCF},
        {'N', 0x0303, 0xD1}, {'O', 0x0300, 0xD2}, {'O', 0x0301, 0xD3}, {'O', 0x0302, 0xD4},
        {'O', 0x0303, 0xD5}, {'O', 0x0308, 0xD6}, {'U', 0x0300, 0xD9}, {'U', 0x0301, 0xDA},
        {'U', 0x0302, 0xDB}, {'U', 0x0308, 0xDC}, {'Y', 0x0301, 0xDD}, {'a', 0x0300, 0xE0},
        {'a', 0x0301, 0xE1}, {'a', 0x0302, 0xE2}, {'a', 0x0303, 0xE3}, {'a', 0x0308, 0xE4},
        {'a', 0x030A, 0xE5}, {'c', 0x0327, 0xE7}, {'e', 0x0300, 0xE8}, {'e', 0x0301, 0xE9},
        {'e', 0x0302, 0xEA}, {'e', 0x0308, 0xEB}, {'i', 0x0300, 0xEC}, {'i', 0x0301, 0xED},
        {'i', 0x0302, 0xEE}, {'i', 0x0308, 0xEF}, {'n', 0x0303, 0xF1}, {'o', 0x0300, 0xF2},
        {'o', 0x0301, 0xF3}, {'o', 0x0302, 0xF4}, {'o', 0x0303, 0xF5}, {'o', 0x0308, 0xF6},
        {'u', 0x0300, 0xF9}, {'u', 0x0301, 0xFA}, {'u', 0x0302, 0xFB}, {'u', 0x0308, 0xFC},
        {'y', 0x0301, 0xFD}, {'y', 0x0308, 0xFF}};
    static_assert(std::size(letters) == 58, "every decomposable letter of Windows-1252");
    for (const auto& letter : letters) {
        std::string decomposed(1, letter.base);
        AppendUtf8(decomposed, letter.mark);
        std::vector<char32_t> unencodable;
        const std::string byte(1, static_cast<char>(letter.byte));
        EXPECT_EQ(Utf8ToWindows1252(decomposed, unencodable), byte) << decomposed;
        EXPECT_TRUE(unencodable.empty()) << decomposed;
        EXPECT_EQ(Utf8ToWindows1252("x" + decomposed + "x", unencodable), "x" + byte + "x")
            << decomposed;
        EXPECT_EQ(ComposedText(decomposed), Windows1252ToUtf8(byte)) << decomposed;
    }
}

// Composing goes only as far as Windows-1252 goes: what still has no byte is
// refused, and named, as before.
TEST(TextEncoding, RefusesWhatStillHasNoByteOnceComposed)
{
    const struct {
        const char* what;
        std::string utf8;
        std::string bytes;
        std::vector<char32_t> unencodable;
    } rows[] = {
        {"a Mac's file name", u8"e\u0301le\u0300ve", "\xE9l\xE8ve", {}},
        {"composed already", u8"\u00E9l\u00E8ve", "\xE9l\xE8ve", {}},
        {"an angstrom sign", u8"3 \u212B", "3 \xC5", {}},
        {"a kelvin sign", u8"300 \u212A", "300 K", {}},
        {"the old acute accent", u8"e\u0341", "\xE9", {}},
        {"a Greek question mark", u8"quoi\u037E", "quoi;", {}},
        {"no such letter", u8"c\u0301a", "ca", {0x0301}},
        {"an accent on nothing", u8"\u0301e", "e", {0x0301}},
        {"an accent on an accented letter", u8"\u00E9\u0301", "\xE9", {0x0301}},
        {"two accents", u8"e\u0301\u0327", "\xE9", {0x0327}},
        {"after a space", u8"e \u0301", "e ", {0x0301}},
    };
    for (const auto& row : rows) {
        std::vector<char32_t> unencodable;
        EXPECT_EQ(Utf8ToWindows1252(row.utf8, unencodable), row.bytes) << row.what;
        EXPECT_EQ(unencodable, row.unencodable) << row.what;
    }
}
