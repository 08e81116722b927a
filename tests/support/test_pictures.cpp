#include "tests/support/test_pictures.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstdlib>

bool DecodeTestPicture(const std::vector<unsigned char>& bytes, DecodedPicture& picture,
                       std::string& reason)
{
    int channels = 0;
    unsigned char* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                  &picture.width, &picture.height, &channels, 4);
    if (!pixels) {
        reason = "illisible";
        return false;
    }
    picture.rgba.assign(pixels, pixels + static_cast<size_t>(picture.width) * picture.height * 4);
    stbi_image_free(pixels);
    return true;
}

DecodedPicture PlainPicture(int width, int height, uint32_t rgb, int alpha)
{
    DecodedPicture picture = {width, height, {}};
    for (int i = 0; i < width * height; ++i)
        picture.rgba.insert(picture.rgba.end(),
                            {static_cast<unsigned char>(rgb >> 16),
                             static_cast<unsigned char>(rgb >> 8), static_cast<unsigned char>(rgb),
                             static_cast<unsigned char>(alpha)});
    return picture;
}

uint32_t ColourAt(const DecodedPicture& picture, int x, int y)
{
    const unsigned char* p = picture.rgba.data() + (static_cast<size_t>(y) * picture.width + x) * 4;
    return static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
}

std::vector<unsigned char> PngOf(const DecodedPicture& picture)
{
    std::vector<unsigned char> png;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* bytes = static_cast<std::vector<unsigned char>*>(context);
            bytes->insert(bytes->end(), static_cast<unsigned char*>(data),
                          static_cast<unsigned char*>(data) + size);
        },
        &png, picture.width, picture.height, 4, picture.rgba.data(), picture.width * 4);
    return png;
}

DecodedPicture Quarters(int width, int height)
{
    DecodedPicture picture = PlainPicture(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb =
                y < height / 2 ? (x < width / 2 ? RED : GREEN) : (x < width / 2 ? BLUE : WHITE);
            unsigned char* p = &picture.rgba[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = rgb >> 16, p[1] = rgb >> 8 & 0xFF, p[2] = rgb & 0xFF;
        }
    return picture;
}

std::vector<unsigned char> WithOrientation(const std::vector<unsigned char>& jpeg,
                                           unsigned char orientation)
{
    const std::vector<unsigned char> app1 = {
        0xFF, 0xE1, 0, 30, 'E', 'x',  'i', 'f', 0, 0, 'M', 'M', 0, 42,          0, 0,
        0,    8,    0, 1,  1,   0x12, 0,   3,   0, 0, 0,   1,   0, orientation, 0, 0};
    std::vector<unsigned char> turned(jpeg.begin(), jpeg.begin() + 2);
    turned.insert(turned.end(), app1.begin(), app1.end());
    turned.insert(turned.end(), jpeg.begin() + 2, jpeg.end());
    return turned;
}

bool Near(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) >
            24)
            return false;
    return true;
}

PictureDecoder Giving(const DecodedPicture& picture)
{
    return [picture](const std::vector<unsigned char>&, DecodedPicture& out, std::string&) {
        out = picture;
        return true;
    };
}
