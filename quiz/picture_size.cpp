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

int Read16(const unsigned char* bytes, bool bigEndian)
{
    return bigEndian ? BigEndian16(bytes) : bytes[1] << 8 | bytes[0];
}

std::size_t Read32(const unsigned char* bytes, bool bigEndian)
{
    const std::size_t high = Read16(bytes + (bigEndian ? 0 : 2), bigEndian);
    return high << 16 | Read16(bytes + (bigEndian ? 2 : 0), bigEndian);
}

// The orientation tag of an APP1 segment's EXIF data (a TIFF header, then
// the first directory of 12-byte entries), or 1 when it holds none.
int ExifOrientation(const unsigned char* data, std::size_t size)
{
    constexpr unsigned char EXIF[] = {'E', 'x', 'i', 'f', 0, 0};
    constexpr int ORIENTATION_TAG = 0x0112;
    constexpr int SHORT_TYPE = 3;
    if (size < sizeof EXIF + 8)
        return 1;
    for (std::size_t i = 0; i < sizeof EXIF; ++i)
        if (data[i] != EXIF[i])
            return 1;
    const unsigned char* tiff = data + sizeof EXIF;
    const std::size_t tiffSize = size - sizeof EXIF;
    const bool bigEndian = tiff[0] == 'M' && tiff[1] == 'M';
    if (!bigEndian && !(tiff[0] == 'I' && tiff[1] == 'I'))
        return 1;
    // Every bound compares a remaining size, never a subtraction from
    // tiffSize: a segment of a few bytes would wrap it round.
    const std::size_t directory = Read32(tiff + 4, bigEndian);
    if (directory > tiffSize || tiffSize - directory < 2)
        return 1;
    const std::size_t entries = Read16(tiff + directory, bigEndian);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t at = directory + 2 + 12 * i;
        if (at > tiffSize || tiffSize - at < 12)
            return 1;
        if (Read16(tiff + at, bigEndian) == ORIENTATION_TAG) {
            const int value = Read16(tiff + at + 8, bigEndian);
            return Read16(tiff + at + 2, bigEndian) == SHORT_TYPE && value >= 1 && value <= 8
                       ? value
                       : 1;
        }
    }
    return 1;
}

} // namespace

PictureSize FittedSize(PictureSize picture, PictureSize box)
{
    const double rx = static_cast<double>(box.width) / picture.width;
    const double ry = static_cast<double>(box.height) / picture.height;
    const double r = ry <= rx ? ry : rx;
    return {static_cast<int>(picture.width * r), static_cast<int>(picture.height * r)};
}

bool ReadJpegHeader(const unsigned char* bytes, std::size_t size, JpegHeader* header)
{
    constexpr unsigned char APP1 = 0xE1;
    int orientation = 1;
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
        if (marker == APP1 && orientation == 1)
            orientation = ExifOrientation(bytes + at + 4, length - 2);
        if (IsFrameHeader(marker)) {
            // Precision, then height, width and the number of components.
            if (length < 8)
                return false;
            header->size = {BigEndian16(bytes + at + 7), BigEndian16(bytes + at + 5)};
            header->coding = marker;
            header->components = bytes[at + 9];
            header->orientation = orientation;
            return header->size.width > 0 && header->size.height > 0;
        }
        at += 2 + length;
    }
    return false;
}
