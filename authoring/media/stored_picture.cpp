#include "authoring/media/stored_picture.h"

#include "authoring/media/picture_conversion.h"
#include "authoring/media/stb_codecs.h"
#include "quiz/picture_size.h"

#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

namespace {

// The picture upright, as RGB over the background colour.
std::vector<unsigned char> UprightOnBackground(const DecodedPicture& picture, int orientation,
                                               uint32_t background, int& width, int& height)
{
    const bool turned = TurnsAQuarter(orientation);
    width = turned ? picture.height : picture.width;
    height = turned ? picture.width : picture.height;
    const unsigned char under[3] = {static_cast<unsigned char>(background & 0xFF),
                                    static_cast<unsigned char>(background >> 8 & 0xFF),
                                    static_cast<unsigned char>(background >> 16 & 0xFF)};
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    unsigned char* out = rgb.data();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int sx = 0, sy = 0;
            SourcePixel(orientation, picture.width, picture.height, x, y, sx, sy);
            const unsigned char* in =
                picture.rgba.data() + (static_cast<size_t>(sy) * picture.width + sx) * 4;
            const int alpha = in[3];
            for (int c = 0; c < 3; ++c)
                *out++ = static_cast<unsigned char>(
                    (in[c] * alpha + under[c] * (255 - alpha) + 127) / 255);
        }
    return rgb;
}

} // namespace

bool StoredAsTheyAre(const std::vector<unsigned char>& bytes)
{
    JpegHeader header = {};
    return ReadJpegHeader(bytes.data(), bytes.size(), &header) && header.coding == JPEG_BASELINE &&
           (header.components == 1 || header.components == 3) && header.orientation == 1 &&
           header.size.width <= PICTURE_SQUARE && header.size.height <= PICTURE_SQUARE;
}

std::vector<unsigned char> FitPicture(const DecodedPicture& picture, int orientation,
                                      uint32_t background)
{
    int width = 0, height = 0;
    std::vector<unsigned char> rgb =
        UprightOnBackground(picture, orientation, background, width, height);
    if (width > PICTURE_SQUARE || height > PICTURE_SQUARE) {
        int fittedWidth = 0, fittedHeight = 0;
        FitWithin(width, height, PICTURE_SQUARE, fittedWidth, fittedHeight);
        std::vector<unsigned char> fitted(static_cast<size_t>(fittedWidth) * fittedHeight * 3);
        // Filtered in linear light, as stb's default for reductions (Mitchell)
        // does, so that fine stripes do not darken.
        stbir_resize_uint8_srgb(rgb.data(), width, height, 0, fitted.data(), fittedWidth,
                                fittedHeight, 0, 3, STBIR_ALPHA_CHANNEL_NONE, 0);
        rgb.swap(fitted);
        width = fittedWidth;
        height = fittedHeight;
    }
    std::vector<unsigned char> jpeg;
    stbi_write_jpg_to_func(AppendStbOutput, &jpeg, width, height, 3, rgb.data(),
                           STORED_JPEG_QUALITY);
    return jpeg;
}

bool StorePicture(const std::vector<unsigned char>& bytes, const PictureDecoder& decode,
                  uint32_t background, StoredPicture& stored, std::string& reason)
{
    stored = StoredPicture();
    if (StoredAsTheyAre(bytes)) {
        stored.bytes = bytes;
        return true;
    }
    DecodedPicture picture;
    if (!decode) {
        reason = u8"ce programme ne sait pas convertir les images : donnez un JPEG de 260 × 260 "
                 u8"pixels au plus";
        return false;
    }
    int orientation = 1;
    if (!DecodeWithOrientation(bytes, decode, picture, orientation, reason))
        return false;
    stored.bytes = FitPicture(picture, orientation, background);
    stored.converted = true;
    stored.reduced = picture.width > PICTURE_SQUARE || picture.height > PICTURE_SQUARE;
    stored.frames = picture.frames;
    if (stored.bytes.empty())
        reason = u8"l'image n'a pas pu être codée en JPEG (erreur interne)";
    return !stored.bytes.empty();
}
