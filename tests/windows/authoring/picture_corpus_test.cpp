// Pictures of every kind a teacher has, made by ImageMagick at build time,
// through the platform's decoder and the rules of how pictures are stored:
// each ends as a baseline JPEG within the square, upright, its colours where
// they were, or is refused with a reason that says what to do.
#include "authoring/media/quiz_icon.h"
#include "authoring/media/stored_picture.h"
#include "authoring/media/wic_picture_decoder.h"
#include "authoring/packing/windows_platform.h"
#include "quiz/picture_size.h"
#include "quizzpack/commands.h"
#include "tests/unit/authoring/source_fixture.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

namespace {

const std::string PICTURES = "Z:" REAL_PICTURES_DIR "/";

Bytes Picture(const std::string& name)
{
    const std::string text = LoadFile(PICTURES + name);
    return Bytes(text.begin(), text.end());
}

// Close enough after the platform's decoding of a JPEG of a JPEG.
bool Close(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) >
            48)
            return false;
    return true;
}

std::string Self()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Narrow(path);
}

constexpr uint32_t YELLOW = 0xFFFF00;

} // namespace

TEST(PictureCorpus, StoresEveryKindAsTheFittedBaselineJpegThePlayerShows)
{
    const struct {
        const char* file;
        int width, height;    // 0: refused
        uint32_t top, bottom; // colours a quarter from the top and from the bottom
        bool converted;
        const char* reason; // part of the refusal
    } rows[] = {
        {"photo.jpg", 260, 195, RED, BLUE, true, ""},
        {"progressive.jpg", 260, 195, RED, BLUE, true, ""},
        {"cmyk.jpg", 260, 195, RED, BLUE, true, ""},
        {"grey.jpg", 260, 195, 0x363636, 0x121212, true, ""},
        {"sideways.jpg", 173, 260, RED, BLUE, true, ""}, // turned upright
        {"small.jpg", 200, 150, RED, BLUE, false, ""},
        {"palette.png", 260, 260, RED, BLUE, true, ""},
        {"alpha.png", 260, 173, YELLOW, YELLOW, true, ""}, // corners show the quiz's colour
        {"deep.png", 260, 173, RED, BLUE, true, ""},
        {"drawing.gif", 200, 100, RED, BLUE, true, ""},
        {"scan.bmp", 184, 260, RED, BLUE, true, ""},
        {"scan.tif", 260, 208, RED, BLUE, true, ""},
        {"notes.jpg", 0, 0, 0, 0, false, u8"illisible"},
    };
    for (const auto& row : rows) {
        const Bytes bytes = Picture(row.file);
        ASSERT_FALSE(bytes.empty()) << row.file;
        StoredPicture stored;
        std::string reason;
        const bool done = StorePicture(bytes, DecodePictureWithWic, 0x0000FFFF, stored, reason);
        if (row.width == 0) {
            EXPECT_FALSE(done) << row.file;
            EXPECT_NE(reason.find(row.reason), std::string::npos) << row.file << ": " << reason;
            continue;
        }
        ASSERT_TRUE(done) << row.file << ": " << reason;
        EXPECT_EQ(stored.converted, row.converted) << row.file;
        if (!row.converted) {
            EXPECT_EQ(stored.bytes, bytes) << row.file;
        }
        JpegHeader header = {};
        ASSERT_TRUE(ReadJpegHeader(stored.bytes.data(), stored.bytes.size(), &header)) << row.file;
        EXPECT_EQ(header.coding, JPEG_BASELINE) << row.file;
        EXPECT_EQ(header.orientation, 1) << row.file;
        DecodedPicture shown;
        ASSERT_TRUE(DecodePictureWithWic(stored.bytes, shown, reason)) << row.file << reason;
        EXPECT_EQ(shown.width, row.width) << row.file;
        EXPECT_EQ(shown.height, row.height) << row.file;
        const uint32_t top = ColourAt(shown, 3, shown.height / 4);
        const uint32_t bottom = ColourAt(shown, 3, shown.height * 3 / 4);
        EXPECT_TRUE(Close(top, row.top)) << row.file << std::hex << " top " << top;
        EXPECT_TRUE(Close(bottom, row.bottom)) << row.file << std::hex << " bottom " << bottom;
    }
}

// What the platform cannot read is refused with a way round it, and a cut
// or hostile file never brings the tool down.
TEST(PictureCorpus, RefusesWhatItCannotReadWithAWayRoundIt)
{
    const struct {
        const char* file;
        const char* reason; // when refused
    } rows[] = {
        {"picture.webp", u8"enregistrez-la en PNG ou en JPEG"},
        {"cut.jpg", u8"illisible"},
    };
    for (const auto& row : rows) {
        StoredPicture stored;
        std::string reason;
        if (StorePicture(Picture(row.file), DecodePictureWithWic, 0, stored, reason)) {
            JpegHeader header = {};
            EXPECT_TRUE(ReadJpegHeader(stored.bytes.data(), stored.bytes.size(), &header));
            EXPECT_LE(header.size.width, PICTURE_SQUARE) << row.file;
        } else {
            EXPECT_NE(reason.find(row.reason), std::string::npos) << row.file << ": " << reason;
        }
    }
}

// A picture whose header claims more pixels than the limit is refused
// before its pixels are allocated, whatever its kind, with its size and the
// limit.
TEST(PictureCorpus, RefusesEveryKindClaimingMorePixelsThanTheLimit)
{
    for (const ClaimedPicture& picture : PicturesClaiming(8200, 8000)) {
        DecodedPicture decoded;
        std::string reason;
        EXPECT_FALSE(DecodePictureWithWic(picture.bytes, decoded, reason)) << picture.kind;
        EXPECT_TRUE(decoded.rgba.empty()) << picture.kind;
        EXPECT_NE(reason.find(u8"image de 8200 × 8000 pixels, trop grande pour être lue : "
                              u8"réduisez-la sous 64 millions de pixels"),
                  std::string::npos)
            << picture.kind << ": " << reason;
    }
}

TEST(PictureCorpus, BuildTellsWhatItReducedAndTheQuizShrinks)
{
    TempFolder folder;
    std::string source = "titre = \"Photos\"\ndisposition = \"image\"\n";
    for (const char* file : {"photo.jpg", "scan.bmp", "small.jpg", "drawing.gif"}) {
        SaveFile(folder / file, Picture(file));
        source += std::string("[[question]]\nreponse = \"x\"\nimage = \"") + file + "\"\n";
    }
    SaveFile(folder / "photos.toml", source);
    CommandOutput output;
    const std::string player = Self();
    ASSERT_EQ(RunQuizzpack({"build", folder / "photos.toml", "--player", player}, WindowsPlatform(),
                           output),
              EXIT_DONE)
        << output.err;
    EXPECT_NE(output.err.find(u8"note : 2 images réduites, 1 convertie en JPEG : "),
              std::string::npos)
        << output.err;
    EXPECT_LT(LoadFile(folder / "photos.exe").size(), LoadFile(player).size() + 100 * 1024);
}

// An animated GIF and a TIFF of pages keep their first frame, and the check
// says so; a picture of one frame says nothing.
TEST(PictureCorpus, CheckTellsOfTheFramesLeftOut)
{
    TempFolder folder;
    std::string source = "titre = \"Images\"\ndisposition = \"image\"\n";
    for (const char* file : {"animated.gif", "pages.tif", "drawing.gif"}) {
        SaveFile(folder / file, Picture(file));
        source += std::string("[[question]]\nreponse = \"x\"\nimage = \"") + file + "\"\n";
    }
    SaveFile(folder / "images.toml", source);
    CommandOutput output;
    ASSERT_EQ(RunQuizzpack({"check", folder / "images.toml"}, WindowsPlatform(), output), EXIT_DONE)
        << output.err;
    for (const char* told : {u8"« animated.gif » : GIF animé de 3 images : le lecteur n'en montre "
                             u8"que la première",
                             u8"« pages.tif » : TIFF de 2 pages : le lecteur n'en montre que la "
                             u8"première"})
        EXPECT_NE(output.err.find(told), std::string::npos) << output.err;
    EXPECT_EQ(output.err.find(u8"« drawing.gif » :"), std::string::npos) << output.err;
}

// A program's icon from pictures of every kind, through the platform's
// decoder: upright, from the largest image of an icon file.
TEST(PictureCorpus, MakesIconsOfEveryKind)
{
    const struct {
        const char* file;
        int width, height; // of the picture, upright
    } rows[] = {
        {"photo.jpg", 4000, 3000},
        {"sideways.jpg", 200, 300},
        {"alpha.png", 300, 200},
        {"several.ico", 64, 64},
    };
    for (const auto& row : rows) {
        QuizIcon icon;
        std::string reason;
        ASSERT_TRUE(MakeQuizIcon(Picture(row.file), DecodePictureWithWic, icon, reason))
            << row.file << ": " << reason;
        EXPECT_EQ(icon.width, row.width) << row.file;
        EXPECT_EQ(icon.height, row.height) << row.file;
        std::vector<IconImage> images;
        ASSERT_TRUE(ReadIconFile(icon.file, images)) << row.file;
        DecodedPicture large;
        ASSERT_TRUE(DecodePictureWithWic(images[3].data, large, reason)) << row.file << reason;
        ASSERT_EQ(large.width, 256) << row.file;
        // Red above blue; the transparent picture is a red disc.
        const bool disc = std::string(row.file) == "alpha.png";
        const uint32_t top = ColourAt(large, 128, 100), bottom = ColourAt(large, 128, 156);
        EXPECT_TRUE(Close(top, RED)) << row.file << std::hex << " top " << top;
        EXPECT_TRUE(Close(bottom, disc ? RED : BLUE))
            << row.file << std::hex << " bottom " << bottom;
    }
}
