#include "quiz/media_format.h"

#include <gtest/gtest.h>

#include <string>

TEST(MediaFormat, RecognisesMediaByTheirFirstBytes)
{
    const struct {
        std::string bytes;
        MediaFormat format;
        bool picture; // refused by the player as a sound or film
    } rows[] = {
        {std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10), MediaFormat::Jpeg, true},
        {"\xFF\xD8", MediaFormat::Unknown, false}, // cut inside the signature
        {"\x89PNG\r\n\x1A\n", MediaFormat::Png, true},
        {std::string("RIFF\0\0\0\0WEBP", 12), MediaFormat::Webp, true},
        {std::string("RIFF$\0\0\0AVI ", 12), MediaFormat::Avi, false},
        {std::string("\0\0\0\x18"
                     "ftypheic",
                     12),
         MediaFormat::Heic, true}, // an iPhone photo
        {std::string("\0\0\0\x18"
                     "ftypisom",
                     12),
         MediaFormat::Mp4, false},
        {"BM", MediaFormat::Unknown, false},                           // no bitmap header after it
        {std::string("\0\0\1\0\1\0", 6), MediaFormat::Ico, false},     // only ever an icon
        {std::string("\0\0\2\0\1\0", 6), MediaFormat::Unknown, false}, // a cursor
        {"\xFF\xFB\x90\x64", MediaFormat::Mp3, false},
        {"\xFF\xFD\x90\x64", MediaFormat::Unknown, false}, // layer II
        {"", MediaFormat::Unknown, false},
    };
    for (const auto& row : rows) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(row.bytes.data());
        const MediaFormat format = DetectMediaFormat(bytes, row.bytes.size());
        EXPECT_EQ(format, row.format) << MediaFormatName(row.format);
        EXPECT_EQ(IsPicture(format), row.picture) << MediaFormatName(row.format);
    }
}
