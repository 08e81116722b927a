// How large a quiz picture is: what its JPEG header announces, read without
// decoding it, and the size it takes once fitted into a box.
#pragma once

#include <cstddef>

struct PictureSize {
    int width;
    int height;
};

// The square a question picture is shown in, in pixels: the player fits each
// picture into it, and the authoring tools store none larger.
constexpr int PICTURE_SQUARE = 260;

// More pixels than any camera of the day gives: past this a picture is
// refused before its pixels are allocated, which would tie up most of a
// 32-bit process.
constexpr long long MAX_DECODED_PIXELS = 64LL * 1000 * 1000;

// The size of a picture fitted into a box: aspect kept, the limiting side at
// the box's size (small pictures are enlarged), each side truncated.
PictureSize FittedSize(PictureSize picture, PictureSize box);

constexpr unsigned char JPEG_BASELINE = 0xC0;

struct JpegHeader {
    PictureSize size;
    unsigned char coding; // the frame header's marker: JPEG_BASELINE, 0xC2 progressive...
    int components;       // 1 grey, 3 colour, 4 CMYK
    int orientation;      // EXIF orientation, 1 to 8; 1 when the file has none
};

// The frame header of a JPEG and the EXIF orientation before it; false when
// the bytes are not a JPEG whose markers lead to a frame header of a size
// above zero.
bool ReadJpegHeader(const unsigned char* bytes, std::size_t size, JpegHeader* header);
