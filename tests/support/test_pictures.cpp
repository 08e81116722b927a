#include "tests/support/test_pictures.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

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
