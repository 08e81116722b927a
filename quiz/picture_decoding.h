// The quiz's JPEG pictures decoded into pixels, and the size a picture takes
// once fitted into a box. Portable, so that the player, the authoring tools
// and the tests decode and fit alike.
#pragma once

#include <cstddef>

struct PictureSize {
    int width;
    int height;
};

// Pixels of a decoded picture: width x height, 4 bytes each in the order
// blue, green, red, unused, top row first (a Windows top-down 32-bit DIB).
struct PicturePixels {
    PictureSize size;
    unsigned char* bgrx; // none when decoding failed
};

// The size of picture w x h fitted into a box: aspect kept, the limiting
// side at the box's size (small pictures are enlarged), each side truncated.
PictureSize FittedSize(PictureSize picture, PictureSize box);

// The size a JPEG says it has, read from its header alone; false when the
// bytes are not a JPEG that can be decoded.
bool ReadJpegSize(const unsigned char* bytes, std::size_t size, PictureSize* picture);

// Decodes a JPEG (baseline or progressive, colour or grey). Pictures larger
// than MAX_PICTURE_SIDE on a side, and damaged or other files, give none.
PicturePixels DecodeJpeg(const unsigned char* bytes, std::size_t size);
void FreePixels(PicturePixels& pixels);

constexpr int MAX_PICTURE_SIDE = 16384;
