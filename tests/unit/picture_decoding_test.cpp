#include "quiz/picture_decoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

namespace {

using Bytes = std::vector<unsigned char>;

// A 40 x 30 JPEG, red on its left half and blue on its right.
Bytes RedAndBlueJpeg()
{
    std::vector<unsigned char> rgb(40 * 30 * 3);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            unsigned char* pixel = &rgb[3 * (y * 40 + x)];
            pixel[0] = x < 20 ? 255 : 0;
            pixel[2] = x < 20 ? 0 : 255;
        }
    Bytes jpeg;
    stbi_write_jpg_to_func(
        [](void* context, void* data, int size) {
            auto* out = static_cast<Bytes*>(context);
            out->insert(out->end(), static_cast<unsigned char*>(data),
                        static_cast<unsigned char*>(data) + size);
        },
        &jpeg, 40, 30, 3, rgb.data(), 95);
    return jpeg;
}

// The JPEG with its frame header claiming another size.
Bytes Resized(Bytes jpeg, int width, int height)
{
    for (size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = static_cast<unsigned char>(height >> 8);
            jpeg[i + 6] = static_cast<unsigned char>(height);
            jpeg[i + 7] = static_cast<unsigned char>(width >> 8);
            jpeg[i + 8] = static_cast<unsigned char>(width);
            break;
        }
    return jpeg;
}

} // namespace

TEST(PictureDecoding, FitsEveryShapeIntoTheBoxByItsLimitingSide)
{
    const struct {
        PictureSize picture, fitted;
    } rows[] = {
        {{260, 260}, {260, 260}}, {{1024, 768}, {260, 195}}, {{640, 480}, {260, 195}},
        {{480, 640}, {195, 260}}, {{100, 50}, {260, 130}}, // small ones are enlarged
        {{1600, 1200}, {260, 195}}, {{333, 517}, {167, 260}},
    };
    for (const auto& row : rows) {
        const PictureSize fitted = FittedSize(row.picture, {260, 260});
        EXPECT_EQ(fitted.width, row.fitted.width) << row.picture.width << "x" << row.picture.height;
        EXPECT_EQ(fitted.height, row.fitted.height) << row.picture.width << "x" << row.picture.height;
    }
}

TEST(PictureDecoding, DecodesAJpegBlueFirstAtTheSizeItsHeaderTells)
{
    const Bytes jpeg = RedAndBlueJpeg();
    PictureSize size = {};
    ASSERT_TRUE(ReadJpegSize(jpeg.data(), jpeg.size(), &size));
    EXPECT_EQ(size.width, 40);
    EXPECT_EQ(size.height, 30);
    PicturePixels pixels = DecodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_NE(pixels.bgrx, nullptr);
    EXPECT_EQ(pixels.size.width, 40);
    EXPECT_EQ(pixels.size.height, 30);
    const unsigned char* red = pixels.bgrx + 4 * (15 * 40 + 5);
    const unsigned char* blue = pixels.bgrx + 4 * (15 * 40 + 35);
    EXPECT_GT(red[2], 200);
    EXPECT_LT(red[0], 60);
    EXPECT_GT(blue[0], 200);
    EXPECT_LT(blue[2], 60);
    FreePixels(pixels);
    EXPECT_EQ(pixels.bgrx, nullptr);
}

// What is not a whole JPEG of a sensible size gives nothing, and no cut
// makes the decoder read outside the bytes (checked under the sanitizers).
TEST(PictureDecoding, RefusesWhatIsNotAJpegItCanDecode)
{
    const Bytes jpeg = RedAndBlueJpeg();
    const struct {
        const char* what;
        Bytes bytes;
    } rows[] = {
        {"nothing", {}},
        {"the signature alone", {0xFF, 0xD8, 0xFF}},
        {"a PNG", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13}},
        {"a header cut short", Bytes(jpeg.begin(), jpeg.begin() + 40)},
        {"wider than the decoder takes", Resized(jpeg, MAX_PICTURE_SIDE + 1, 30)},
        {"no size", Resized(jpeg, 0, 0)},
    };
    for (const auto& row : rows) {
        PictureSize size = {};
        EXPECT_FALSE(ReadJpegSize(row.bytes.data(), row.bytes.size(), &size)) << row.what;
        PicturePixels pixels = DecodeJpeg(row.bytes.data(), row.bytes.size());
        EXPECT_EQ(pixels.bgrx, nullptr) << row.what;
        FreePixels(pixels);
    }
    for (size_t cut = 0; cut < jpeg.size(); cut += 7) {
        PicturePixels pixels = DecodeJpeg(jpeg.data(), cut);
        if (pixels.bgrx) {
            EXPECT_EQ(pixels.size.width, 40) << cut;
            EXPECT_EQ(pixels.size.height, 30) << cut;
        }
        FreePixels(pixels);
    }
}
