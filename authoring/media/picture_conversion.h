// The steps that every conversion of a picture shares (stored_picture.h,
// quiz_icon.h): decoding it by the platform with the EXIF orientation that
// turns it upright, turning it, and the size it takes within a square.
#pragma once

#include "authoring/media/picture_decoder.h"

#include <string>
#include <vector>

// Decodes bytes with decode (which must be set) and reads their EXIF
// orientation: 1 to 8, 1 for anything but a JPEG that gives one. False with
// a French reason when the decoder fails or gives a wrong count of pixels.
bool DecodeWithOrientation(const std::vector<unsigned char>& bytes, const PictureDecoder& decode,
                           DecodedPicture& picture, int& orientation, std::string& reason);

// What a picture of several frames (an animated GIF, a TIFF of pages) loses
// when it is stored: all but its first, which the player shows; "" for one.
std::string FramesNote(const std::vector<unsigned char>& bytes, int frames);

// Whether an orientation turns the picture a quarter, swapping its sides.
bool TurnsAQuarter(int orientation);

// Where the pixel shown at (x, y) stands in a picture of width by height
// stored with an EXIF orientation.
void SourcePixel(int orientation, int width, int height, int x, int y, int& sx, int& sy);

// A copy of the picture upright, its pixels unchanged.
DecodedPicture UprightPicture(const DecodedPicture& picture, int orientation);

// The size of a width by height picture reduced or enlarged to fit within a
// square of side pixels, its sides in proportion and at least a pixel.
void FitWithin(int width, int height, int side, int& fittedWidth, int& fittedHeight);
