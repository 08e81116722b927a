#include "tests/unit/authoring/source_fixture.h"

#include "authoring/packing/stored_source.h"

#include <gtest/gtest.h>

namespace {

Bytes Encoded(const StoredSource& stored)
{
    Bytes bytes;
    EXPECT_TRUE(EncodeStoredSource(stored, bytes));
    return bytes;
}

bool Decodes(const Bytes& bytes)
{
    StoredSource stored;
    return DecodeStoredSource(bytes.data(), bytes.size(), stored);
}

const StoredSource SAMPLE = {u8"# é\ntitre = \"T\"\n", {{401, "images/a.jpg"}, {10401, "b.bmp"}}};

} // namespace

TEST(StoredSource, GivesBackWhatWasStored)
{
    StoredSource back;
    const Bytes bytes = Encoded(SAMPLE);
    ASSERT_TRUE(DecodeStoredSource(bytes.data(), bytes.size(), back));
    EXPECT_EQ(back.text, SAMPLE.text);
    ASSERT_EQ(back.media.size(), 2u);
    EXPECT_EQ(back.media[1].id, 10401);
    EXPECT_EQ(back.media[1].name, "b.bmp");
    EXPECT_TRUE(Decodes(Encoded({"", {}})));
}

// Every way a quiz program can hold what no build wrote.
TEST(StoredSource, RefusesWhatBreaksItsForm)
{
    const Bytes good = Encoded(SAMPLE);
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(Decodes(Bytes(good.begin(), good.begin() + size))) << size;
    Bytes longer = good;
    longer.push_back(0);
    EXPECT_FALSE(Decodes(longer));

    // Offsets in SAMPLE's encoding: magic 0-5, text length 6-9, text 10-26,
    // count 27-28, first id 29-30, its name's length 31, its name 32-43,
    // second id 44-45.
    const struct {
        const char* name;
        size_t offset;
        std::vector<unsigned char> bytes;
    } damages[] = {
        {"another magic", 0, {'X'}},
        {"another version", 5, {2}},
        {"a text past the bytes", 6, {0xFF, 0xFF, 0, 0}},
        {"a text past the limit", 6, {1, 0, 0x10, 0}},
        {"more media than questions allow", 27, {181, 0}},
        {"a question's own resource id", 29, {0x90, 0x01}},
        {"past the 90 questions", 29, {0xEB, 0x01}},
        {"the same id twice", 44, {0x91, 0x01}},
        {"an empty name", 31, {0}},
        {"a name out of the folder", 32, {'.', '.', '/', 'a', '.', 'j', 'p', 'g'}},
        {"a Windows path", 32, {'C', ':', '/', 'a', '.', 'j', 'p', 'g'}},
    };
    for (const auto& damage : damages) {
        Bytes bytes = good;
        std::copy(damage.bytes.begin(), damage.bytes.end(), bytes.begin() + damage.offset);
        EXPECT_FALSE(Decodes(bytes)) << damage.name;
    }

    Bytes bytes;
    EXPECT_FALSE(EncodeStoredSource({std::string(MAX_STORED_TEXT + 1, 'x'), {}}, bytes));
    EXPECT_FALSE(EncodeStoredSource({"", {{400, "a.jpg"}}}, bytes));
}

TEST(StoredSource, TakesOnlyNamesThatStayInTheirFolder)
{
    const struct {
        std::string name;
        bool safe;
    } cases[] = {
        {"a.jpg", true},
        {u8"images/élève 2.jpg", true},
        {"a/b/c/d.mp3", true},
        {"", false},
        {"/a.jpg", false},
        {"a//b.jpg", false},
        {"./a.jpg", false},
        {"a/../../b.jpg", false},
        {"a\\b.jpg", false},
        {"c:a.jpg", false},
        {"a?.jpg", false},
        {"a.jpg.", false},
        {"a /b.jpg", false},
        {"NUL.jpg", false},
        {"images/com1", false},
        {"lpt9.txt", false},
        {"console.jpg", true},
        {u8"COM¹", false},
        {u8"images/com².jpg", false},
        {u8"Com³.mp3", false},
        {u8"lpt¹", false},
        {u8"LPT².txt", false},
        {u8"lpt³", false},
        {u8"com⁴.jpg", true}, // not a port
        {u8"com¹¹.jpg", true},
        {u8"lpt¹0", true},
        {"CONIN$", false},
        {"conin$.txt", false},
        {"a/ConOut$.jpg", false},
        {"CONOUT$", false},
        {"conin.jpg", true},
        {"nul .jpg", false},
        {u8"COM¹  .txt", false},
        {"a/conout$ .jpg", false},
        {"nul x.jpg", true},
        {"conout$x.jpg", true},
        {std::string("a\x01.jpg"), false},
        {std::string("caf\xE9.jpg"), false},
        {std::string(255, 'a'), true},
        {std::string(256, 'a'), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSafeMediaName(c.name), c.safe) << c.name;
}
