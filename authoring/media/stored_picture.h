// How a quiz picture is stored: the way the player shows it best, a baseline
// JPEG no larger than the square it is shown in. A picture that already is
// one is stored byte for byte, so that an extracted quiz rebuilds the same;
// any other is decoded, turned upright, flattened onto the quiz's colour,
// reduced with a smooth filter (never enlarged) and coded again.
#pragma once

#include "authoring/media/picture_decoder.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int STORED_JPEG_QUALITY = 90;

struct StoredPicture {
    std::vector<unsigned char> bytes;
    bool converted = false; // decoded and coded again
    bool reduced = false;   // and made smaller
    int frames = 1;         // in the file, of which only the first is kept
};

// Whether the player shows these bytes at their best as they are: then they
// are stored byte for byte.
bool StoredAsTheyAre(const std::vector<unsigned char>& bytes);

// background is the quiz's colour (COLORREF, 0x00BBGGRR), under transparent
// parts. False with a French reason when the picture cannot be read.
bool StorePicture(const std::vector<unsigned char>& bytes, const PictureDecoder& decode,
                  uint32_t background, StoredPicture& stored, std::string& reason);

// The stored form of a decoded picture: orientation is EXIF's (1 to 8).
std::vector<unsigned char> FitPicture(const DecodedPicture& picture, int orientation,
                                      uint32_t background);
