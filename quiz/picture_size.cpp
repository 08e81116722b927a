#include "quiz/picture_size.h"

namespace {

constexpr unsigned char MARKER = 0xFF;
constexpr unsigned char START_OF_IMAGE = 0xD8;
constexpr unsigned char END_OF_IMAGE = 0xD9;
constexpr unsigned char START_OF_SCAN = 0xDA;

// The frame headers of every coding (baseline, extended, progressive,
// lossless, arithmetic); C4, C8 and CC are other segments.
bool IsFrameHeader(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length.
bool StandsAlone(unsigned char marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

int BigEndian16(const unsigned char* bytes)
{
    return bytes[0] << 8 | bytes[1];
}

} // namespace

PictureSize FittedSize(PictureSize picture, PictureSize box)
{
    const double rx = static_cast<double>(box.width) / picture.width;
    const double ry = static_cast<double>(box.height) / picture.height;
    const double r = ry <= rx ? ry : rx;
    return {static_cast<int>(picture.width * r), static_cast<int>(picture.height * r)};
}

bool ReadJpegSize(const unsigned char* bytes, std::size_t size, PictureSize* picture)
{
    if (size < 2 || bytes[0] != MARKER || bytes[1] != START_OF_IMAGE)
        return false;
    // Segments follow one another: a marker, a length that counts itself,
    // then the segment's data, up to the frame header.
    std::size_t at = 2;
    while (size - at >= 2) {
        if (bytes[at] != MARKER)
            return false;
        const unsigned char marker = bytes[at + 1];
        if (marker == MARKER) { // fill byte
            ++at;
            continue;
        }
        if (StandsAlone(marker)) {
            at += 2;
            continue;
        }
        if (marker == END_OF_IMAGE || marker == START_OF_SCAN || size - at < 4)
            return false;
        const std::size_t length = BigEndian16(bytes + at + 2);
        if (length < 2 || size - at - 2 < length)
            return false;
        if (IsFrameHeader(marker)) {
            // Precision, then height and width.
            if (length < 7)
                return false;
            picture->height = BigEndian16(bytes + at + 5);
            picture->width = BigEndian16(bytes + at + 7);
            return picture->width > 0 && picture->height > 0;
        }
        at += 2 + length;
    }
    return false;
}
