#include "quiz/media_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

TEST(MediaFormat, RecognisesMediaByTheirFirstBytes)
{
    const struct {
        std::string bytes;
        MediaFormat format;
        bool picture; // refused by the player as a sound or film
    } rows[] = {
        {std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10), MediaFormat::Jpeg, true},
        {"\xFF\xD8", MediaFormat::Unknown, false}, // cut inside the signature
        {"\x89PNG\r\n\x1A\n", MediaFormat::Png, true},
        {std::string("RIFF\0\0\0\0WEBP", 12), MediaFormat::Webp, true},
        {std::string("RIFF$\0\0\0AVI ", 12), MediaFormat::Avi, false},
        {std::string("\0\0\0\x18"
                     "ftypheic",
                     12),
         MediaFormat::Heic, true}, // an iPhone photo
        {std::string("\0\0\0\x18"
                     "ftypisom",
                     12),
         MediaFormat::Mp4, false},
        {"BM", MediaFormat::Unknown, false},                           // no bitmap header after it
        {std::string("\0\0\1\0\1\0", 6), MediaFormat::Ico, false},     // only ever an icon
        {std::string("\0\0\2\0\1\0", 6), MediaFormat::Unknown, false}, // a cursor
        {"\xFF\xFB\x90\x64", MediaFormat::Mp3, false},
        {"\xFF\xFD\x90\x64", MediaFormat::Unknown, false}, // layer II
        {"", MediaFormat::Unknown, false},
    };
    for (const auto& row : rows) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(row.bytes.data());
        const MediaFormat format = DetectMediaFormat(bytes, row.bytes.size());
        EXPECT_EQ(format, row.format) << MediaFormatName(row.format);
        EXPECT_EQ(IsPicture(format), row.picture) << MediaFormatName(row.format);
    }
}

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace

// A file of each format, as its first bytes say, has an extension that names
// that format back, in either case; no extension names two formats.
TEST(MediaFormat, EachSignatureAgreesWithItsExtensions)
{
    const struct {
        std::string bytes;
        MediaFormat format;
    } samples[] = {
        {std::string("\xFF\xD8\xFF\xE1\0\x10", 6), MediaFormat::Jpeg},
        {"\x89PNG\r\n\x1A\n", MediaFormat::Png},
        {"GIF87a", MediaFormat::Gif},
        {"GIF89a", MediaFormat::Gif},
        {std::string("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18), MediaFormat::Bmp},
        {std::string("II*\0", 4), MediaFormat::Tiff},
        {std::string("MM\0*", 4), MediaFormat::Tiff},
        {std::string("RIFF\0\0\0\0WEBP", 12), MediaFormat::Webp},
        {std::string("\0\0\0\x18"
                     "ftypmif1",
                     12),
         MediaFormat::Heic},
        {std::string("\0\0\1\0\1\0", 6), MediaFormat::Ico},
        {"ID3\x03", MediaFormat::Mp3},
        {std::string("RIFF\0\0\0\0WAVE", 12), MediaFormat::Wav},
        {"OggS", MediaFormat::Ogg},
        {"fLaC", MediaFormat::Flac},
        {std::string("RIFF\0\0\0\0AVI ", 12), MediaFormat::Avi},
        {std::string("\0\0\0\x18"
                     "ftypmp42",
                     12),
         MediaFormat::Mp4},
        {"\x1A\x45\xDF\xA3", MediaFormat::Matroska},
        {std::string("\0\0\1\xBA", 4), MediaFormat::Mpeg},
    };
    std::set<MediaFormat> sampled;
    for (const auto& sample : samples) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(sample.bytes.data());
        EXPECT_EQ(DetectMediaFormat(bytes, sample.bytes.size()), sample.format)
            << MediaFormatName(sample.format);
        sampled.insert(sample.format);
    }
    std::set<std::string> extensions;
    for (const MediaFormatInfo& row : MediaFormats()) {
        EXPECT_EQ(row.matches != nullptr, sampled.count(row.format) == 1) << row.name;
        EXPECT_EQ(&MediaFormatRow(row.format), &row) << row.name;
        ASSERT_NE(row.extensions[0], nullptr) << row.name;
        EXPECT_STREQ(MediaExtension(row.format), row.extensions[0]);
        for (const char* extension : row.extensions) {
            if (!extension)
                continue;
            EXPECT_TRUE(extensions.insert(extension).second) << extension;
            EXPECT_EQ(extension[0], '.') << extension;
            EXPECT_EQ(MediaFormatOfExtension(extension), row.format) << extension;
            EXPECT_EQ(MediaFormatOfExtension(Upper(extension)), row.format) << extension;
        }
    }
    EXPECT_EQ(MediaFormatOfExtension(".docx"), MediaFormat::Unknown);
    EXPECT_EQ(MediaFormatOfExtension(""), MediaFormat::Unknown);
    EXPECT_FALSE(HasMediaExtension(MediaFormat::Jpeg, ".png"));
    EXPECT_FALSE(HasMediaExtension(MediaFormat::Unknown, ".docx")); // only ".bin"
}

// What the player shows as it is, the tools take everywhere; what they take
// elsewhere they convert.
TEST(MediaFormat, ThePlayersFormatsAreAlwaysTaken)
{
    for (const MediaFormatInfo& row : MediaFormats()) {
        if (row.player) {
            EXPECT_EQ(row.taken, MediaTaken::Always) << row.name;
        }
        EXPECT_EQ(IsTaken(row.format, row.kind), row.taken != MediaTaken::No) << row.name;
        EXPECT_EQ(IsPicture(row.format), row.kind == MediaKind::Picture) << row.name;
    }
    EXPECT_EQ(MediaFormatRow(MediaFormat::Unknown).taken, MediaTaken::No);
    EXPECT_FALSE(IsTaken(MediaFormat::Ico, MediaKind::Picture)); // only as the quiz's icon
}

// The messages' lists name every format of the kind the tools take, and
// none other.
TEST(MediaFormat, ListsNameEveryFormatTaken)
{
    const struct {
        MediaKind kind;
        bool whereSystemReads;
        const char* names;
    } lists[] = {
        {MediaKind::Picture, false, "JPEG, PNG, GIF, BMP ou TIFF"},
        {MediaKind::Picture, true, "JPEG, PNG, GIF, BMP, TIFF, WebP ou HEIC"},
        {MediaKind::Sound, false, "MP3"},
        {MediaKind::Film, true, "AVI"},
        {MediaKind::Icon, false, "ICO"},
        {MediaKind::None, true, ""},
    };
    for (const auto& list : lists) {
        const std::string names = TakenMediaNames(list.kind, list.whereSystemReads);
        EXPECT_EQ(names, list.names);
        // "A, B ou C" named one by one.
        std::string commas = names;
        const std::size_t ou = commas.rfind(" ou ");
        if (ou != std::string::npos)
            commas.replace(ou, 4, ", ");
        const std::vector<std::string> named = Split(commas, ',');
        for (const MediaFormatInfo& row : MediaFormats()) {
            const bool taken =
                row.kind == list.kind && (row.taken == MediaTaken::Always ||
                                          (list.whereSystemReads && row.taken != MediaTaken::No));
            const std::string name = row.name;
            const long times = std::count(named.begin(), named.end(), name) +
                               std::count(named.begin(), named.end(), " " + name);
            EXPECT_EQ(times, taken ? 1 : 0) << names << " / " << name;
        }
    }
}

// A file dialog's filter offers every extension of every format the tools
// take of its kinds, and none other.
TEST(MediaFormat, FiltersOfferEveryExtensionTaken)
{
    const struct {
        std::initializer_list<MediaKind> kinds;
        const char* name;
        const char* patterns;
    } filters[] = {
        {{MediaKind::Picture},
         "Images (JPEG, PNG, GIF, BMP, TIFF, WebP, HEIC)",
         "*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif;*.bmp;*.dib;*.tif;*.tiff;*.webp;*.heic;*.heif"},
        {{MediaKind::Sound}, "Images (MP3)", "*.mp3"},
        {{MediaKind::Picture, MediaKind::Icon},
         "Images (JPEG, PNG, GIF, BMP, TIFF, WebP, HEIC, ICO)",
         "*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif;*.bmp;*.dib;*.tif;*.tiff;*.webp;*.heic;*.heif;*."
         "ico"},
        {{MediaKind::Film}, "Images (AVI)", "*.avi"},
    };
    for (const auto& expected : filters) {
        const MediaFilter filter = TakenMediaFilter("Images", expected.kinds);
        EXPECT_EQ(filter.name, expected.name);
        EXPECT_EQ(filter.patterns, expected.patterns);
        const std::vector<std::string> patterns = Split(filter.patterns, ';');
        for (const MediaFormatInfo& row : MediaFormats()) {
            bool taken = false;
            for (MediaKind kind : expected.kinds)
                taken = taken || IsTaken(row.format, kind);
            for (const char* extension : row.extensions) {
                if (!extension)
                    continue;
                const std::string pattern = std::string("*") + extension;
                EXPECT_EQ(std::count(patterns.begin(), patterns.end(), pattern), taken ? 1 : 0)
                    << filter.patterns << " / " << extension;
            }
        }
    }
}
