#include "quiz/picture_signature.h"

#include <gtest/gtest.h>

#include <string>

TEST(StartsLikePicture, KnowsPicturesFromMedia)
{
    const struct {
        std::string bytes;
        bool picture;
    } rows[] = {
        {std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10), true},
        {"\x89PNG\r\n\x1A\n", true},
        {"GIF89a", true},
        {"BM6\x0C", true},
        {"\xFF\xD8", false}, // shorter than any signature it begins
        {"\x89PNG", false},
        {"ID3\x03", false},          // MP3 with a tag
        {"\xFF\xFB\x90\x64", false}, // MP3 frame
        {std::string("RIFF$\0\0\0AVI ", 12), false},
        {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(StartsLikePicture(row.bytes.data(), row.bytes.size()), row.picture) << row.bytes;
}
