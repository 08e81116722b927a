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
