#include "tests/support/test_pictures.h"

#include "authoring/media/stored_picture.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

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

namespace {

void PutBigEndian(std::vector<unsigned char>& bytes, size_t at, uint32_t value, int size)
{
    for (int k = 0; k < size; ++k)
        bytes[at + k] = static_cast<unsigned char>(value >> 8 * (size - 1 - k));
}

void AppendBigEndian(std::vector<unsigned char>& bytes, uint32_t value, int size)
{
    bytes.resize(bytes.size() + size);
    PutBigEndian(bytes, bytes.size() - size, value, size);
}

void AppendLittleEndian(std::vector<unsigned char>& bytes, uint32_t value, int size)
{
    for (int k = 0; k < size; ++k)
        bytes.push_back(static_cast<unsigned char>(value >> 8 * k));
}

uint32_t Crc32(const unsigned char* bytes, size_t size)
{
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

// data by value: a const vector's range inserted here made GCC 12 see an
// overflow in WithOrientation's inserts that is not there (-Warray-bounds).
void AppendPngChunk(std::vector<unsigned char>& png, const char* type,
                    std::vector<unsigned char> data)
{
    AppendBigEndian(png, static_cast<uint32_t>(data.size()), 4);
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    AppendBigEndian(png, Crc32(png.data() + start, png.size() - start), 4);
}

// Every row there, all black, 1 bit a pixel, in stored deflate blocks.
std::vector<unsigned char> BlankPng(int width, int height)
{
    std::vector<unsigned char> rows(static_cast<size_t>(height) * (1 + (width + 7) / 8));
    std::vector<unsigned char> zlib = {0x78, 0x01};
    for (size_t at = 0; at < rows.size(); at += 0xFFFF) {
        const size_t size = std::min<size_t>(0xFFFF, rows.size() - at);
        zlib.push_back(at + size == rows.size());
        AppendLittleEndian(zlib, static_cast<uint32_t>(size), 2);
        AppendLittleEndian(zlib, static_cast<uint32_t>(~size), 2);
        zlib.insert(zlib.end(), rows.begin() + at, rows.begin() + at + size);
    }
    // Adler-32 of zeros: 1, and the count.
    AppendBigEndian(zlib, static_cast<uint32_t>(rows.size() % 65521) << 16 | 1, 4);
    std::vector<unsigned char> header;
    AppendBigEndian(header, width, 4);
    AppendBigEndian(header, height, 4);
    header.insert(header.end(), {1, 0, 0, 0, 0}); // 1-bit grey
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    AppendPngChunk(png, "IHDR", std::move(header));
    AppendPngChunk(png, "IDAT", std::move(zlib));
    AppendPngChunk(png, "IEND", {});
    return png;
}

// The LZW codes of count pixels of colour 0 at 2 bits a pixel, as GIF packs
// them (codes low bit first, in blocks of 255 bytes at most): each code is
// the longest run in the table, which then holds that run and one more.
std::vector<unsigned char> BlankGifData(uint64_t count)
{
    constexpr uint32_t CLEAR = 4, END = 5, FIRST_FREE = 6;
    std::vector<unsigned char> codes;
    uint32_t buffer = 0;
    int buffered = 0, width = 3;
    auto put = [&](uint32_t code) {
        buffer |= code << buffered;
        for (buffered += width; buffered >= 8; buffered -= 8, buffer >>= 8)
            codes.push_back(static_cast<unsigned char>(buffer));
    };
    uint32_t next = FIRST_FREE;
    uint64_t longest = 1;
    put(CLEAR);
    while (count > 0) {
        const uint64_t run = std::min(longest, count);
        put(run == 1 ? 0 : FIRST_FREE + static_cast<uint32_t>(run - 2));
        count -= run;
        // As giflib's encoder: the width grows once the next code needs it.
        if (next >= (1u << width) && width < 12)
            ++width;
        if (next == 4000) {
            put(CLEAR);
            next = FIRST_FREE;
            longest = 1;
            width = 3;
        } else {
            ++next;
            ++longest;
        }
    }
    put(END);
    if (buffered > 0)
        codes.push_back(static_cast<unsigned char>(buffer));
    std::vector<unsigned char> blocks = {2}; // the smallest code size
    for (size_t at = 0; at < codes.size(); at += 255) {
        const size_t size = std::min<size_t>(255, codes.size() - at);
        blocks.push_back(static_cast<unsigned char>(size));
        blocks.insert(blocks.end(), codes.begin() + at, codes.begin() + at + size);
    }
    blocks.push_back(0);
    return blocks;
}

} // namespace

std::vector<ClaimedPicture> PicturesClaiming(int width, int height)
{
    // The baseline frame header: marker, length, precision, height, width.
    std::vector<unsigned char> jpeg = FitPicture(PlainPicture(16, 16, RED), 1, 0);
    for (size_t i = 0; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            PutBigEndian(jpeg, i + 5, height, 2);
            PutBigEndian(jpeg, i + 7, width, 2);
            break;
        }

    // Screen and image of that size, black and white.
    std::vector<unsigned char> gif = {'G', 'I', 'F', '8', '9', 'a'};
    AppendLittleEndian(gif, width, 2);
    AppendLittleEndian(gif, height, 2);
    gif.insert(gif.end(), {0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x2C, 0, 0, 0, 0});
    AppendLittleEndian(gif, width, 2);
    AppendLittleEndian(gif, height, 2);
    gif.push_back(0);
    std::vector<unsigned char> data =
        BlankGifData(static_cast<uint64_t>(width) * static_cast<uint64_t>(height));
    gif.insert(gif.end(), data.begin(), data.end());
    gif.push_back(0x3B);

    // 24-bit rows, bottom up, of which 16 pixels are there.
    std::vector<unsigned char> bmp = {'B', 'M'};
    AppendLittleEndian(bmp, 14 + 40 + 48, 4);
    AppendLittleEndian(bmp, 0, 4);
    AppendLittleEndian(bmp, 14 + 40, 4);
    AppendLittleEndian(bmp, 40, 4);
    AppendLittleEndian(bmp, width, 4);
    AppendLittleEndian(bmp, height, 4);
    AppendLittleEndian(bmp, 1, 2);
    AppendLittleEndian(bmp, 24, 2);
    bmp.resize(14 + 40 + 48, 0x80);
    std::fill(bmp.begin() + 30, bmp.begin() + 54, 0);

    return {{"JPEG", jpeg}, {"PNG", BlankPng(width, height)}, {"GIF", gif}, {"BMP", bmp}};
}
