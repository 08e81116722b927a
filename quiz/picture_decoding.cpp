#include "quiz/picture_decoding.h"

#include "quiz/media_format.h"

#include <climits>

// stb_image, from Debian's libstb-dev: JPEG only, from memory, with its
// failure reason kept per thread, since pictures decode on several threads.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS MAX_PICTURE_SIDE
#include <stb_image.h>

namespace {

// stb_image takes sizes as int; the JPEG signature is checked first so that
// only JPEGs reach it.
bool IsDecodableJpeg(const unsigned char* bytes, std::size_t size)
{
    return size <= INT_MAX && DetectMediaFormat(bytes, size) == MediaFormat::Jpeg;
}

} // namespace

PictureSize FittedSize(PictureSize picture, PictureSize box)
{
    const double rx = static_cast<double>(box.width) / picture.width;
    const double ry = static_cast<double>(box.height) / picture.height;
    const double r = ry <= rx ? ry : rx;
    return {static_cast<int>(picture.width * r), static_cast<int>(picture.height * r)};
}

bool ReadJpegSize(const unsigned char* bytes, std::size_t size, PictureSize* picture)
{
    int channels = 0;
    return IsDecodableJpeg(bytes, size) &&
           stbi_info_from_memory(bytes, static_cast<int>(size), &picture->width,
                                 &picture->height, &channels) != 0 &&
           picture->width > 0 && picture->height > 0;
}

PicturePixels DecodeJpeg(const unsigned char* bytes, std::size_t size)
{
    PicturePixels pixels = {{0, 0}, nullptr};
    if (!IsDecodableJpeg(bytes, size))
        return pixels;
    int channels = 0;
    pixels.bgrx = stbi_load_from_memory(bytes, static_cast<int>(size), &pixels.size.width,
                                        &pixels.size.height, &channels, 4);
    if (!pixels.bgrx)
        return pixels;
    // stb_image gives red first; Windows bitmaps want blue first.
    const std::size_t count = static_cast<std::size_t>(pixels.size.width) * pixels.size.height;
    for (unsigned char* pixel = pixels.bgrx; pixel != pixels.bgrx + 4 * count; pixel += 4) {
        const unsigned char red = pixel[0];
        pixel[0] = pixel[2];
        pixel[2] = red;
    }
    return pixels;
}

void FreePixels(PicturePixels& pixels)
{
    stbi_image_free(pixels.bgrx);
    pixels.bgrx = nullptr;
}
