#include "authoring/media/stored_picture.h"

#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<unsigned char>;

DecodedPicture Decoded(const Bytes& jpeg)
{
    DecodedPicture picture;
    std::string reason;
    EXPECT_TRUE(DecodeTestPicture(jpeg, picture, reason));
    return picture;
}

} // namespace

TEST(StoredPicture, TurnsEveryExifOrientationUpright)
{
    // The quarters that end at top left, top right, bottom left, bottom right.
    const struct {
        int orientation;
        uint32_t corners[4];
    } rows[] = {
        {1, {RED, GREEN, BLUE, WHITE}}, {2, {GREEN, RED, WHITE, BLUE}},
        {3, {WHITE, BLUE, GREEN, RED}}, {4, {BLUE, WHITE, RED, GREEN}},
        {5, {RED, BLUE, GREEN, WHITE}}, {6, {BLUE, RED, WHITE, GREEN}},
        {7, {WHITE, GREEN, BLUE, RED}}, {8, {GREEN, WHITE, RED, BLUE}},
    };
    for (const auto& row : rows) {
        const DecodedPicture shown = Decoded(FitPicture(Quarters(60, 40), row.orientation, 0));
        const bool turned = row.orientation >= 5;
        ASSERT_EQ(shown.width, turned ? 40 : 60) << row.orientation;
        ASSERT_EQ(shown.height, turned ? 60 : 40) << row.orientation;
        const int w = shown.width, h = shown.height;
        const uint32_t seen[4] = {ColourAt(shown, w / 4, h / 4), ColourAt(shown, 3 * w / 4, h / 4),
                                  ColourAt(shown, w / 4, 3 * h / 4),
                                  ColourAt(shown, 3 * w / 4, 3 * h / 4)};
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_TRUE(Near(seen[corner], row.corners[corner]))
                << "orientation " << row.orientation << ", corner " << corner << ": " << std::hex
                << seen[corner];
    }
}

TEST(StoredPicture, StoresWhatThePlayerShowsBestAndFitsTheRest)
{
    const Bytes small = FitPicture(Quarters(200, 120), 1, 0);
    const struct {
        const char* what;
        Bytes bytes;
        PictureDecoder decode;
        uint32_t background; // COLORREF
        int width, height;   // of what is stored
        bool converted, reduced;
        uint32_t centre; // colour at the middle of the top left quarter
    } rows[] = {
        {"a baseline JPEG within the square", small, nullptr, 0, 200, 120, false, false, RED},
        {"a photo",
         {0x89, 'P', 'N', 'G'},
         Giving(Quarters(4000, 3000)),
         0,
         260,
         195,
         true,
         true,
         RED},
        {"a tall scan",
         {0x89, 'P', 'N', 'G'},
         Giving(Quarters(1240, 1754)),
         0,
         184,
         260,
         true,
         true,
         RED},
        {"a thread",
         {0x89, 'P', 'N', 'G'},
         Giving(PlainPicture(5000, 2, RED)),
         0,
         260,
         1,
         true,
         true,
         RED},
        {"a small drawing is never enlarged",
         {'G', 'I', 'F'},
         Giving(Quarters(30, 20)),
         0,
         30,
         20,
         true,
         false,
         RED},
        {"transparency over the quiz's colour",
         {0x89, 'P', 'N', 'G'},
         Giving(PlainPicture(20, 20, BLUE, 0)),
         0x0000FFFF,
         20,
         20,
         true,
         false,
         0xFFFF00},
        {"half transparent",
         {0x89, 'P', 'N', 'G'},
         Giving(PlainPicture(20, 20, 0, 128)),
         0x00FFFFFF,
         20,
         20,
         true,
         false,
         0x7F7F7F},
        {"turned by its EXIF data", WithOrientation(small, 6), DecodeTestPicture, 0, 120, 200, true,
         false, BLUE},
    };
    for (const auto& row : rows) {
        StoredPicture stored;
        std::string reason;
        ASSERT_TRUE(StorePicture(row.bytes, row.decode, row.background, stored, reason))
            << row.what << ": " << reason;
        EXPECT_EQ(stored.converted, row.converted) << row.what;
        EXPECT_EQ(stored.reduced, row.reduced) << row.what;
        if (!row.converted) {
            EXPECT_EQ(stored.bytes, row.bytes) << row.what;
        }
        const DecodedPicture shown = Decoded(stored.bytes);
        EXPECT_EQ(shown.width, row.width) << row.what;
        EXPECT_EQ(shown.height, row.height) << row.what;
        const uint32_t centre = ColourAt(shown, shown.width / 4, shown.height / 4);
        EXPECT_TRUE(Near(centre, row.centre)) << row.what << ": " << std::hex << centre;
    }
}

TEST(StoredPicture, TellsWhyAPictureCannotBeStored)
{
    const PictureDecoder failing = [](const Bytes&, DecodedPicture&, std::string& reason) {
        reason = "abîmée";
        return false;
    };
    const PictureDecoder lying = [](const Bytes&, DecodedPicture& picture, std::string&) {
        picture = {100, 100, Bytes(16)}; // fewer pixels than its size
        return true;
    };
    const struct {
        const char* what;
        PictureDecoder decode;
        const char* reason;
    } rows[] = {
        {"the decoder's reason", failing, "abîmée"},
        {"no decoder", nullptr, "ne sait pas convertir"},
        {"a decoder's wrong count of pixels", lying, u8"le décodage de l'image a échoué"},
    };
    for (const auto& row : rows) {
        StoredPicture stored;
        std::string reason;
        EXPECT_FALSE(StorePicture({0x89, 'P', 'N', 'G'}, row.decode, 0, stored, reason))
            << row.what;
        EXPECT_NE(reason.find(row.reason), std::string::npos) << row.what << ": " << reason;
        EXPECT_TRUE(stored.bytes.empty()) << row.what;
    }
}
