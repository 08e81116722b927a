// How large a quiz picture is: the size its JPEG header announces, read
// without decoding it, and the size it takes once fitted into a box.
#pragma once

#include <cstddef>

struct PictureSize {
    int width;
    int height;
};

// The size of a picture fitted into a box: aspect kept, the limiting side at
// the box's size (small pictures are enlarged), each side truncated.
PictureSize FittedSize(PictureSize picture, PictureSize box);

// The size in the frame header of a JPEG; false when the bytes are not a
// JPEG whose markers lead to a frame header of a size above zero.
bool ReadJpegSize(const unsigned char* bytes, std::size_t size, PictureSize* picture);
