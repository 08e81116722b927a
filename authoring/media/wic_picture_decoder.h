// The Windows imaging component as the authoring core's picture decoder: it
// reads JPEG (progressive and CMYK too), PNG, GIF, BMP, TIFF, and WebP or
// HEIC where the system has their codecs.
#pragma once

#include "authoring/media/picture_decoder.h"

bool DecodePictureWithWic(const std::vector<unsigned char>& bytes, DecodedPicture& picture,
                          std::string& reason);
