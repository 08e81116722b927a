#include "quiz/picture_size.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

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

// An APP1 segment of EXIF data whose first directory holds entries of
// (tag, type, value), in either byte order; offset moves the directory.
std::string Exif(bool bigEndian, std::initializer_list<std::array<int, 3>> entries, int offset = 8)
{
    std::string tiff = bigEndian ? "MM" : "II";
    auto put = [&](size_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            tiff += static_cast<char>(value >> 8 * (bigEndian ? bytes - 1 - i : i) & 0xFF);
    };
    put(42, 2), put(offset, 4), put(entries.size(), 2);
    for (const auto& entry : entries)
        put(entry[0], 2), put(entry[1], 2), put(1, 4), put(entry[2], 2), put(0, 2);
    return Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
}

TEST(PictureSize, ReadsTheFrameHeaderOfAJpegAndNothingElse)
{
    const struct {
        const char* what;
        std::string bytes;
        int width, height; // 0: no size
        unsigned char coding;
        int orientation;
    } rows[] = {
        {"baseline", START + APP0 + Frame(0xC0, 640, 480), 640, 480, 0xC0, 1},
        {"progressive", START + APP0 + Frame(0xC2, 1600, 1200), 1600, 1200, 0xC2, 1},
        {"after tables and fill bytes",
         START + Segment(0xC4, std::string(20, '\1')) + "\xFF\xFF" + Frame(0xC1, 300, 65535), 300,
         65535, 0xC1, 1},
        {"turned, little-endian EXIF",
         START + Exif(false, {{0x010F, 2, 0}, {0x0112, 3, 6}}) + Frame(0xC0, 40, 30), 40, 30, 0xC0,
         6},
        {"turned, big-endian EXIF", START + Exif(true, {{0x0112, 3, 8}}) + Frame(0xC0, 40, 30), 40,
         30, 0xC0, 8},
        {"an orientation of another type", START + Exif(true, {{0x0112, 4, 6}}) + Frame(0xC0, 4, 3),
         4, 3, 0xC0, 1},
        {"an orientation out of range", START + Exif(false, {{0x0112, 3, 9}}) + Frame(0xC0, 4, 3),
         4, 3, 0xC0, 1},
        {"a directory past the segment",
         START + Exif(true, {{0x0112, 3, 6}}, 4000) + Frame(0xC0, 4, 3), 4, 3, 0xC0, 1},
        {"a directory of more entries than it holds",
         START + Segment(0xE1, Exif(false, {{0x0112, 3, 6}}).substr(4, 16)) + Frame(0xC0, 4, 3), 4,
         3, 0xC0, 1},
        // A TIFF header alone: its directory's entries would lie past the
        // segment, where the next segment (here one holding an orientation
        // entry) must not be read as theirs.
        {"an EXIF block too short for one entry",
         START + Segment(0xE1, std::string("Exif\0\0II\x2A\0\x04\0\0\0", 14)) +
             Segment(0xE2,
                     std::string(6, '\0') + std::string("\x12\x01\x03\0\x01\0\0\0\x06\0\0\0", 12)) +
             Frame(0xC0, 4, 3),
         4, 3, 0xC0, 1},
        {"an EXIF block of 11 bytes, the file's end",
         std::string("\xFF\xD8\xFF\xE1\x00\x13\x45\x78\x69\x66\x00\x00\x49\x49\x2A\x00\x09"
                     "\x00\x00\x00\x00\x01\x00",
                     23),
         0, 0, 0, 0},
        {"no height yet", START + APP0 + Frame(0xC0, 640, 0), 0, 0, 0, 0},
        {"a scan before any frame", START + APP0 + Segment(0xDA, "x") + Frame(0xC0, 9, 9), 0, 0, 0,
         0},
        {"cut in its frame header", (START + Frame(0xC0, 640, 480)).substr(0, 10), 0, 0, 0, 0},
        {"a segment longer than the file", START + Segment(0xE1, "Exif").substr(0, 6), 0, 0, 0, 0},
        {"a length below its own two bytes",
         START + std::string("\xFF\xE0\x00\x01", 4) + Frame(0xC0, 9, 9), 0, 0, 0, 0},
        {"garbage between segments", START + APP0 + "x" + Frame(0xC0, 9, 9), 0, 0, 0, 0},
        {"not a JPEG", "GIF89a" + Frame(0xC0, 9, 9), 0, 0, 0, 0},
        {"nothing", "", 0, 0, 0, 0},
    };
    for (const auto& row : rows) {
        // A buffer of the file's size, so that the sanitizers see a read past it.
        const std::vector<unsigned char> bytes(row.bytes.begin(), row.bytes.end());
        JpegHeader header = {};
        const bool read = ReadJpegHeader(bytes.data(), bytes.size(), &header);
        EXPECT_EQ(read, row.width != 0) << row.what;
        if (read && row.width != 0) {
            EXPECT_EQ(header.size.width, row.width) << row.what;
            EXPECT_EQ(header.size.height, row.height) << row.what;
            EXPECT_EQ(header.coding, row.coding) << row.what;
            EXPECT_EQ(header.components, 1) << row.what;
            EXPECT_EQ(header.orientation, row.orientation) << row.what;
        }
    }
}
