// A picture as the platform's imaging component decodes it, for the
// authoring core to turn upright, fit and code: the core holds no decoder of
// its own, the platform reads more kinds and reads them more safely.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba; // rows top to bottom, 4 bytes a pixel, straight alpha
    int frames = 1; // in the file, of which this is the first: a GIF's images, a TIFF's pages
};

// Decodes the first frame of any picture the platform reads; false with a
// French reason (and how to get round it) otherwise.
using PictureDecoder = std::function<bool(const std::vector<unsigned char>& bytes,
                                          DecodedPicture& picture, std::string& reason)>;
