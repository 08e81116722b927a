// Pictures for the authoring tests: a decoder that stands in for the
// platform's (stb_image, which reads what the tests make: BMP, JPEG, PNG,
// GIF), and the pixels of a stored picture to look at.
#pragma once

#include "authoring/media/picture_decoder.h"

#include <cstdint>
#include <vector>

bool DecodeTestPicture(const std::vector<unsigned char>& bytes, DecodedPicture& picture,
                       std::string& reason);

// A width × height picture of one colour (0xRRGGBB) and alpha.
DecodedPicture PlainPicture(int width, int height, uint32_t rgb, int alpha = 255);

// The picture as a PNG file.
std::vector<unsigned char> PngOf(const DecodedPicture& picture);

// The colour of a decoded picture at (x, y), as 0xRRGGBB.
uint32_t ColourAt(const DecodedPicture& picture, int x, int y);

constexpr uint32_t RED = 0xFF0000, GREEN = 0x00FF00, BLUE = 0x0000FF, WHITE = 0xFFFFFF;

// Quarters of colour: red, green above; blue, white below.
DecodedPicture Quarters(int width, int height);

// Whether two colours (0xRRGGBB) are close enough after JPEG coding.
bool Near(uint32_t a, uint32_t b);

// A decoder that gives one picture whatever the bytes.
PictureDecoder Giving(const DecodedPicture& picture);

// A JPEG with EXIF data giving it an orientation (1 to 8).
std::vector<unsigned char> WithOrientation(const std::vector<unsigned char>& jpeg,
                                           unsigned char orientation);

// A small file of one kind whose header claims a picture of width × height.
struct ClaimedPicture {
    const char* kind;
    std::vector<unsigned char> bytes;
};

// JPEG, PNG, GIF and BMP files claiming width × height. The JPEG and the BMP
// hold a few pixels; the PNG and the GIF hold every one, blank (a few MB at
// most), since Wine's decoders of those kinds read all pixels before they
// tell the size.
std::vector<ClaimedPicture> PicturesClaiming(int width, int height);
