#include "quiz/picture_size.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A marker segment: the marker, its length counting itself, its data.
std::string Segment(unsigned char marker, const std::string& data)
{
    const size_t length = data.size() + 2;
    return std::string{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                       static_cast<char>(length & 0xFF)} +
           data;
}

// A frame header of 8-bit samples, one component.
std::string Frame(unsigned char marker, int width, int height)
{
    return Segment(marker,
                   std::string{8, static_cast<char>(height >> 8), static_cast<char>(height & 0xFF),
                               static_cast<char>(width >> 8), static_cast<char>(width & 0xFF), 1, 1,
                               0x11, 0});
}

const std::string START = "\xFF\xD8";
const std::string APP0 = Segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));

} // namespace

TEST(PictureSize, FitsEveryShapeIntoTheBoxByItsLimitingSide)
{
    const struct {
        PictureSize picture, fitted;
    } rows[] = {
        {{260, 260}, {260, 260}},   {{1024, 768}, {260, 195}}, {{640, 480}, {260, 195}},
        {{480, 640}, {195, 260}},   {{100, 50}, {260, 130}}, // small ones are enlarged
        {{1600, 1200}, {260, 195}}, {{333, 517}, {167, 260}},
    };
    for (const auto& row : rows) {
        const PictureSize fitted = FittedSize(row.picture, {260, 260});
        EXPECT_EQ(fitted.width, row.fitted.width) << row.picture.width << "x" << row.picture.height;
        EXPECT_EQ(fitted.height, row.fitted.height)
            << row.picture.width << "x" << row.picture.height;
    }
}

TEST(PictureSize, ReadsTheFrameHeaderOfAJpegAndNothingElse)
{
    const struct {
        const char* what;
        std::string bytes;
        int width, height; // 0: no size
    } rows[] = {
        {"baseline", START + APP0 + Frame(0xC0, 640, 480), 640, 480},
        {"progressive", START + APP0 + Frame(0xC2, 1600, 1200), 1600, 1200},
        {"after tables and fill bytes",
         START + Segment(0xC4, std::string(20, '\1')) + "\xFF\xFF" + Frame(0xC1, 300, 65535), 300,
         65535},
        {"no height yet", START + APP0 + Frame(0xC0, 640, 0), 0, 0},
        {"a scan before any frame", START + APP0 + Segment(0xDA, "x") + Frame(0xC0, 9, 9), 0, 0},
        {"cut in its frame header", (START + Frame(0xC0, 640, 480)).substr(0, 10), 0, 0},
        {"a segment longer than the file", START + Segment(0xE1, "Exif").substr(0, 6), 0, 0},
        {"a length below its own two bytes",
         START + std::string("\xFF\xE0\x00\x01", 4) + Frame(0xC0, 9, 9), 0, 0},
        {"garbage between segments", START + APP0 + "x" + Frame(0xC0, 9, 9), 0, 0},
        {"not a JPEG", "GIF89a" + Frame(0xC0, 9, 9), 0, 0},
        {"nothing", "", 0, 0},
    };
    for (const auto& row : rows) {
        PictureSize size = {};
        const bool read = ReadJpegSize(reinterpret_cast<const unsigned char*>(row.bytes.data()),
                                       row.bytes.size(), &size);
        EXPECT_EQ(read, row.width != 0) << row.what;
        if (read && row.width != 0) {
            EXPECT_EQ(size.width, row.width) << row.what;
            EXPECT_EQ(size.height, row.height) << row.what;
        }
    }
}
