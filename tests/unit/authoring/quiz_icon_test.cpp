#include "authoring/media/quiz_icon.h"

#include "authoring/media/little_endian.h"
#include "authoring/media/stored_picture.h"
#include "tests/unit/authoring/source_fixture.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// The pixels of an icon image as Windows reads them (rows top down, RGBA),
// and whether its AND mask is set exactly where nothing shows.
DecodedPicture Pixels(const IconImage& image, bool& maskAgrees)
{
    maskAgrees = true;
    DecodedPicture picture;
    std::string reason;
    if (image.width == 0) {
        EXPECT_TRUE(DecodeTestPicture(image.data, picture, reason));
        return picture;
    }
    const Bytes& dib = image.data;
    const int side = static_cast<int>(LittleEndian32(&dib[4]));
    EXPECT_EQ(LittleEndian32(&dib[8]), static_cast<uint32_t>(2 * side));
    picture = PlainPicture(side, side, 0, 0);
    const size_t maskRow = (side + 31) / 32 * 4;
    EXPECT_EQ(dib.size(), 40 + static_cast<size_t>(side) * side * 4 + maskRow * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int row = side - 1 - y;
            const unsigned char* bgra = &dib[40 + (static_cast<size_t>(row) * side + x) * 4];
            unsigned char* rgba = &picture.rgba[(static_cast<size_t>(y) * side + x) * 4];
            rgba[0] = bgra[2], rgba[1] = bgra[1], rgba[2] = bgra[0], rgba[3] = bgra[3];
            const size_t maskByte =
                40 + static_cast<size_t>(side) * side * 4 + row * maskRow + x / 8;
            const bool masked = dib[maskByte] & (0x80 >> x % 8);
            maskAgrees = maskAgrees && masked == (bgra[3] == 0);
        }
    return picture;
}

int Alpha(const DecodedPicture& picture, int x, int y)
{
    return picture.rgba[(static_cast<size_t>(y) * picture.width + x) * 4 + 3];
}

std::vector<IconImage> ImagesOf(const Bytes& file)
{
    std::vector<IconImage> images;
    EXPECT_TRUE(ReadIconFile(file, images));
    return images;
}

// One of the programs' own icons, as the build draws them.
Bytes ApplicationIcon(const char* name)
{
    const std::string file = LoadFile(std::string(APPLICATION_ICONS_DIR "/") + name);
    return Bytes(file.begin(), file.end());
}

} // namespace

// Every size of every picture: fitted with its sides in proportion, centred,
// nothing outside it, and the colours where they belong.
TEST(QuizIcon, FitsThePictureIntoEverySquareWithTransparentMargins)
{
    DecodedPicture halves = PlainPicture(300, 150, RED);
    for (int y = 0; y < 150; ++y)
        for (int x = 150; x < 300; ++x)
            halves.rgba[(static_cast<size_t>(y) * 300 + x) * 4 +
                        2] = 0xFF,
                        halves.rgba[(static_cast<size_t>(y) * 300 + x) * 4] = 0;
    const struct {
        const char* what;
        DecodedPicture picture;
        int orientation;
        int fitted[4][2];    // width and height in each square, 16 to 256
        int alpha;           // of the picture, where it shows
        uint32_t corners[3]; // the colours a quarter in: top left, top right, bottom right
    } rows[] = {
        {"wide", halves, 1, {{16, 8}, {32, 16}, {48, 24}, {256, 128}}, 255, {RED, BLUE, BLUE}},
        {"tall, turned from its side",
         halves,
         6,
         {{8, 16}, {16, 32}, {24, 48}, {128, 256}},
         255,
         {RED, RED, BLUE}},
        {"small, enlarged",
         PlainPicture(10, 10, GREEN),
         1,
         {{16, 16}, {32, 32}, {48, 48}, {256, 256}},
         255,
         {GREEN, GREEN, GREEN}},
        {"a thread",
         PlainPicture(5000, 2, BLUE),
         1,
         {{16, 1}, {32, 1}, {48, 1}, {256, 1}},
         255,
         {BLUE, BLUE, BLUE}},
        {"half transparent",
         PlainPicture(64, 64, GREEN, 128),
         1,
         {{16, 16}, {32, 32}, {48, 48}, {256, 256}},
         128,
         {GREEN, GREEN, GREEN}},
        {"transparent",
         PlainPicture(64, 32, WHITE, 0),
         1,
         {{16, 8}, {32, 16}, {48, 24}, {256, 128}},
         0,
         {0, 0, 0}},
    };
    for (const auto& row : rows) {
        const Bytes file = FitIcon(row.picture, row.orientation);
        EXPECT_TRUE(IsQuizIcon(file)) << row.what;
        const std::vector<IconImage> images = ImagesOf(file);
        ASSERT_EQ(images.size(), 4u) << row.what;
        for (size_t i = 0; i < 4; ++i) {
            const int side = QUIZ_ICON_SIZES[i];
            const std::string what = std::string(row.what) + ", " + std::to_string(side);
            bool maskAgrees = false;
            const DecodedPicture shown = Pixels(images[i], maskAgrees);
            ASSERT_EQ(shown.width, side) << what;
            ASSERT_EQ(shown.height, side) << what;
            EXPECT_TRUE(maskAgrees) << what;
            const int width = row.fitted[i][0], height = row.fitted[i][1];
            const int left = (side - width) / 2, top = (side - height) / 2;
            int wrong = 0;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x) {
                    const bool inside =
                        x >= left && x < left + width && y >= top && y < top + height;
                    wrong += Alpha(shown, x, y) != (inside ? row.alpha : 0) ||
                             (Alpha(shown, x, y) == 0 && ColourAt(shown, x, y) != 0);
                }
            EXPECT_EQ(wrong, 0) << what;
            const int places[3][2] = {{1, 1}, {3, 1}, {3, 3}};
            for (int corner = 0; corner < 3; ++corner) {
                const uint32_t seen = ColourAt(shown, left + places[corner][0] * width / 4,
                                               top + places[corner][1] * height / 4);
                EXPECT_TRUE(Near(seen, row.corners[corner]))
                    << what << ", corner " << corner << ": " << std::hex << seen;
            }
        }
    }
}

TEST(QuizIcon, GroupsNameTheirImagesAndGiveTheFileBack)
{
    const Bytes file = FitIcon(Quarters(60, 40), 1);
    const std::vector<IconImage> images = ImagesOf(file);
    const Bytes group = WriteIconGroup(images, {7, 8, 9, 300});
    ASSERT_EQ(group.size(), 6u + 4 * 14);

    std::vector<IconImage> entries;
    std::vector<int> ids;
    ASSERT_TRUE(ReadIconGroup(group, entries, ids));
    EXPECT_EQ(ids, (std::vector<int>{7, 8, 9, 300}));
    for (size_t i = 0; i < 4; ++i) {
        IconImage without = images[i];
        without.data.clear();
        EXPECT_EQ(entries[i], without) << i;
    }

    std::map<int, Bytes> stored = {
        {7, images[0].data}, {8, images[1].data}, {9, images[2].data}, {300, images[3].data}};
    auto imageOf = [&](int id) -> const Bytes* {
        const auto found = stored.find(id);
        return found == stored.end() ? nullptr : &found->second;
    };
    Bytes again;
    ASSERT_TRUE(IconFileOfGroup(group, imageOf, again));
    EXPECT_EQ(again, file);
    stored.erase(9);
    EXPECT_FALSE(IconFileOfGroup(group, imageOf, again));
    EXPECT_FALSE(IconFileOfGroup(Bytes(group.begin(), group.end() - 1), imageOf, again));
}

// Icon files come from anywhere: what does not hold is refused, never read
// past.
TEST(QuizIcon, RefusesIconFilesThatDoNotHold)
{
    auto file = [](std::initializer_list<unsigned char> header, uint32_t size, uint32_t offset,
                   size_t length) {
        Bytes bytes(header);
        bytes.insert(bytes.end(), {16, 16, 0, 0, 1, 0, 32, 0});
        for (uint32_t value : {size, offset})
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<unsigned char>(value >> shift));
        bytes.resize(length, 0xAA);
        return bytes;
    };
    const struct {
        const char* what;
        Bytes bytes;
        bool readable;
    } rows[] = {
        {"one image just inside", file({0, 0, 1, 0, 1, 0}, 10, 22, 32), true},
        {"nothing", {}, false},
        {"a header cut short", {0, 0, 1, 0}, false},
        {"a cursor", file({0, 0, 2, 0, 1, 0}, 10, 22, 32), false},
        {"no image", file({0, 0, 1, 0, 0, 0}, 10, 22, 32), false},
        {"two entries, one written", file({0, 0, 1, 0, 2, 0}, 10, 22, 32), false},
        {"an image past the end", file({0, 0, 1, 0, 1, 0}, 11, 22, 32), false},
        {"an image starting past the end", file({0, 0, 1, 0, 1, 0}, 1, 40, 32), false},
        {"a size that wraps round", file({0, 0, 1, 0, 1, 0}, 0xFFFFFFFF, 22, 32), false},
        {"an empty image", file({0, 0, 1, 0, 1, 0}, 0, 22, 32), false},
    };
    for (const auto& row : rows) {
        std::vector<IconImage> images;
        EXPECT_EQ(ReadIconFile(row.bytes, images), row.readable) << row.what;
        EXPECT_EQ(images.size(), row.readable ? 1u : 0u) << row.what;
    }
}

// Each image's bytes are copied once: images that share bytes, or that
// together claim more than the file holds, are refused before any copy (a
// file of entries that all name the whole file once asked for gigabytes).
TEST(QuizIcon, RefusesImagesThatOverlapOrClaimMoreThanTheFile)
{
    // A file of the entries (offset, size) and length bytes in all.
    auto file = [](const std::vector<std::pair<uint32_t, uint32_t>>& entries, size_t length) {
        Bytes bytes = {0,
                       0,
                       1,
                       0,
                       static_cast<unsigned char>(entries.size()),
                       static_cast<unsigned char>(entries.size() >> 8)};
        for (const auto& [offset, size] : entries) {
            bytes.insert(bytes.end(), {16, 16, 0, 0, 1, 0, 32, 0});
            for (uint32_t value : {size, offset})
                for (int shift = 0; shift < 32; shift += 8)
                    bytes.push_back(static_cast<unsigned char>(value >> shift));
        }
        bytes.resize(std::max(length, bytes.size()), 0xAA);
        return bytes;
    };
    const uint32_t many = 4000, whole = 6 + 16 * many;
    const struct {
        const char* what;
        Bytes bytes;
        bool readable;
    } rows[] = {
        {"two images side by side", file({{38, 10}, {48, 10}}, 58), true},
        {"listed in another order", file({{48, 10}, {38, 10}}, 58), true},
        {"the second inside the first", file({{38, 20}, {40, 4}}, 58), false},
        {"sharing one byte", file({{38, 11}, {48, 10}}, 58), false},
        {"the same image twice", file({{38, 10}, {38, 10}}, 58), false},
        {"entries that all name the whole file",
         file(std::vector<std::pair<uint32_t, uint32_t>>(many, {0, whole}), whole), false},
    };
    for (const auto& row : rows) {
        std::vector<IconImage> images;
        EXPECT_EQ(ReadIconFile(row.bytes, images), row.readable) << row.what;
        EXPECT_EQ(images.size(), row.readable ? 2u : 0u) << row.what;
        QuizIcon icon;
        std::string reason;
        if (!row.readable) {
            EXPECT_FALSE(MakeQuizIcon(row.bytes, DecodeTestPicture, icon, reason)) << row.what;
            EXPECT_NE(reason.find(u8"se chevauchent"), std::string::npos) << row.what;
            EXPECT_NE(reason.find(u8"éditeur d'icônes"), std::string::npos) << row.what;
        }
    }
}

// Only the form that FitIcon writes is kept byte for byte; the player's own
// icons are drawn in it, so that an extracted quiz that shows one rebuilds.
TEST(QuizIcon, KnowsItsOwnForm)
{
    const Bytes fitted = FitIcon(Quarters(60, 40), 1);
    const std::vector<IconImage> images = ImagesOf(fitted);
    auto with = [&](auto change) {
        std::vector<IconImage> changed = images;
        change(changed);
        return WriteIconFile(changed);
    };
    Bytes gap = fitted;
    gap.push_back(0);
    const struct {
        const char* what;
        Bytes bytes;
        bool quizIcon;
    } rows[] = {
        {"fitted", fitted, true},
        {"the player's", ApplicationIcon("quizz.ico"), true},
        {"quizzpack's", ApplicationIcon("quizzpack.ico"), true},
        {"three sizes", with([](auto& i) { i.pop_back(); }), false},
        {"the largest first", with([](auto& i) { std::swap(i[0], i[3]); }), false},
        {"24-bit", with([](auto& i) { i[1].bitCount = 24; }), false},
        {"a DIB cut short", with([](auto& i) { i[2].data.pop_back(); }), false},
        {"a byte after the images", gap, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsQuizIcon(row.bytes), row.quizIcon) << row.what;
}

TEST(QuizIcon, TakesTheRightIdentifiersForItsImages)
{
    const struct {
        std::vector<int> previous, taken;
        std::vector<int> ids;
    } rows[] = {
        {{1, 2, 3, 4}, {5, 6}, {1, 2, 3, 4}}, // the player's own
        {{}, {1, 2}, {3, 4, 5, 6}},           // a player without one
        {{7, 8}, {1, 2, 9}, {7, 8, 10, 11}},  // one of two images
        {{1, 2, 3, 4, 5}, {}, {1, 2, 3, 4}},  // one of five
        {{2, 2, 0}, {}, {2, 3, 4, 5}},        // a damaged group
        {{}, {65533}, {}},                    // no room left
    };
    for (const auto& row : rows)
        EXPECT_EQ(IconImageIds(row.previous, row.taken, 4), row.ids) << row.ids.size();
}

TEST(QuizIcon, MakesAnIconOfAnyPictureAndKeepsItsOwn)
{
    const Bytes own = FitIcon(Quarters(60, 40), 1);
    IconImage small, large;
    small.width = small.height = 16;
    large.width = large.height = 64;
    small.data = Bytes(20, 1);
    large.data = Bytes(30, 2);
    const Bytes several = WriteIconFile({small, large, small});
    Bytes given;
    const PictureDecoder recording = [&](const Bytes& bytes, DecodedPicture& picture,
                                         std::string&) {
        given = bytes;
        picture = Quarters(64, 64);
        return true;
    };
    const PictureDecoder failing = [](const Bytes&, DecodedPicture&, std::string& reason) {
        reason = u8"abîmée";
        return false;
    };
    const struct {
        const char* what;
        Bytes bytes;
        PictureDecoder decode;
        bool made;
        int width, height;  // 0 when kept as it came
        uint32_t topLeft;   // of the 256 image, a quarter in
        const char* reason; // when not made
    } rows[] = {
        {"its own form, kept", own, nullptr, true, 0, 0, RED, ""},
        {"a PNG", PngOf(Quarters(300, 200)), DecodeTestPicture, true, 300, 200, RED, ""},
        {"a phone photo held upright", WithOrientation(FitPicture(Quarters(60, 40), 1, 0), 6),
         DecodeTestPicture, true, 40, 60, BLUE, ""},
        {"an icon of several sizes", several, recording, true, 64, 64, RED, ""},
        {"an icon that does not hold", Bytes(several.begin(), several.end() - 1), recording, false,
         0, 0, 0, u8"icône ICO abîmée"},
        {"no decoder", PngOf(Quarters(30, 20)), nullptr, false, 0, 0, 0, "ne sait pas convertir"},
        {"the decoder's reason", PngOf(Quarters(30, 20)), failing, false, 0, 0, 0, u8"abîmée"},
    };
    for (const auto& row : rows) {
        QuizIcon icon;
        std::string reason;
        ASSERT_EQ(MakeQuizIcon(row.bytes, row.decode, icon, reason), row.made) << row.what;
        if (!row.made) {
            EXPECT_NE(reason.find(row.reason), std::string::npos) << row.what << ": " << reason;
            continue;
        }
        EXPECT_EQ(icon.converted, row.width != 0) << row.what;
        EXPECT_EQ(icon.width, row.width) << row.what;
        EXPECT_EQ(icon.height, row.height) << row.what;
        if (!icon.converted) {
            EXPECT_EQ(icon.file, row.bytes) << row.what;
        }
        EXPECT_TRUE(IsQuizIcon(icon.file)) << row.what;
        bool maskAgrees = false;
        const DecodedPicture large256 = Pixels(ImagesOf(icon.file)[3], maskAgrees);
        int left = 0, top = 0;
        while (left < 128 && Alpha(large256, left, 128) == 0)
            ++left;
        while (top < 128 && Alpha(large256, 128, top) == 0)
            ++top;
        const uint32_t seen =
            ColourAt(large256, left + (256 - 2 * left) / 4, top + (256 - 2 * top) / 4);
        EXPECT_TRUE(Near(seen, row.topLeft)) << row.what << std::hex << seen;
    }
    // The decoder is given the largest image alone, as a file of its own.
    EXPECT_EQ(given, WriteIconFile({large}));
}
