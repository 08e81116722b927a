#include "quiz/media_format.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::string BigEndian32(std::size_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

// An MP4 box: its size, its type, its content.
std::string Box(const char* type, const std::string& content)
{
    return BigEndian32(8 + content.size()) + type + content;
}

// An MP4 track of a handler ("soun", "vide"), as a phone writes it.
std::string Track(const char* handler)
{
    return Box("trak", Box("tkhd", std::string(84, '\0')) +
                           Box("mdia", Box("mdhd", std::string(24, '\0')) +
                                           Box("hdlr", std::string(8, '\0') + handler +
                                                           std::string(13, '\0'))));
}

// An MP4 file of a brand with those tracks, its movie after its data as
// phones write it.
std::string Mp4Of(const char* brand, const std::string& tracks)
{
    return Box("ftyp", std::string(brand) + std::string(4, '\0') + "isommp42") +
           Box("mdat", std::string(40, '\x55')) +
           Box("moov", Box("mvhd", std::string(100, '\0')) + tracks);
}

// A Matroska file whose header names its kind.
std::string EbmlOf(const std::string& docType)
{
    const std::string header = std::string("\x42\x86\x81\x01\x42\x82", 6) +
                               static_cast<char>(0x80 | docType.size()) + docType +
                               "\x42\x87\x81\x04";
    return "\x1A\x45\xDF\xA3" + std::string(1, static_cast<char>(0x80 | header.size())) + header +
           "\x18\x53\x80\x67\x01";
}

// Another phone's recording: a sound track in a brand of films.
const std::string PHONE_MEMO = Mp4Of("isom", Track("soun"));

const std::string ASF_HEADER("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C",
                             16);

// An ID3 tag of 4 bytes of frames (its size in 7-bit bytes), then what follows.
std::string AfterId3(const std::string& frames)
{
    return std::string("ID3\x04\0\0\0\0\0\x04", 10) + "TIT2" + frames;
}

} // namespace

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
        // Sounds and films that browsers play apart from those they do not.
        {AfterId3("\xFF\xFB\x90\x64"), MediaFormat::Mp3, false},
        {AfterId3("\xFF\xF1\x50\x80"), MediaFormat::Aac, false},
        {"\xFF\xF9\x50\x80", MediaFormat::Aac, false},
        {Mp4Of("M4A ", Track("soun")), MediaFormat::M4a, false}, // an iPhone's memo
        {Mp4Of("M4A ", ""), MediaFormat::M4a, false},
        {PHONE_MEMO, MediaFormat::M4a, false},
        {Mp4Of("mp42", Track("vide") + Track("soun")), MediaFormat::Mp4, false},
        {Mp4Of("mp42", Track("soun") + Track("vide")), MediaFormat::Mp4, false},
        {Mp4Of("isom", ""), MediaFormat::Mp4, false},
        // Cut inside the handler's type, and right after it.
        {PHONE_MEMO.substr(0, PHONE_MEMO.size() - 14), MediaFormat::Mp4, false},
        {PHONE_MEMO.substr(0, PHONE_MEMO.size() - 13), MediaFormat::M4a, false},
        {Box("ftyp", "isom") + std::string("\0\0\0\0moov", 8) + Track("soun"), MediaFormat::M4a,
         false}, // a movie to the end of the file
        {Box("ftyp", "isom") + std::string("\0\0\0\1moov\0\0\0\0\0\0\0\xBD", 16) + Track("soun"),
         MediaFormat::M4a, false}, // a size of 64 bits
        {Box("ftyp", "isom") + std::string("\0\0\0\1moov", 8), MediaFormat::Mp4, false},
        {Box("ftyp", "isom") + std::string("\0\0\0\4moov", 8) + Track("soun"), MediaFormat::Mp4,
         false}, // a box smaller than its header
        {EbmlOf("webm"), MediaFormat::Webm, false},
        {EbmlOf("matroska"), MediaFormat::Matroska, false},
        {EbmlOf("webm").substr(0, 14), MediaFormat::Matroska, false}, // cut inside the kind
        {std::string("\x1A\x45\xDF\xA3\x00", 5), MediaFormat::Matroska, false},
        {std::string("\x1A\x45\xDF\xA3\x84\x42\x82\x88webm", 13), MediaFormat::Matroska,
         false}, // a kind past its header
        {ASF_HEADER, MediaFormat::WindowsMedia, false},
        {ASF_HEADER.substr(0, 15), MediaFormat::Unknown, false},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(rows[i].bytes.data());
        const MediaFormat format = DetectMediaFormat(bytes, rows[i].bytes.size());
        EXPECT_EQ(format, rows[i].format) << "row " << i << ", " << MediaFormatName(rows[i].format);
        EXPECT_EQ(IsPicture(format), rows[i].picture) << "row " << i;
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
        {Mp4Of("M4A ", Track("soun")), MediaFormat::M4a},
        {"\xFF\xF1\x50\x80", MediaFormat::Aac},
        {"OggS", MediaFormat::Ogg},
        {"fLaC", MediaFormat::Flac},
        {std::string("RIFF\0\0\0\0AVI ", 12), MediaFormat::Avi},
        {std::string("\0\0\0\x18"
                     "ftypmp42",
                     12),
         MediaFormat::Mp4},
        {EbmlOf("webm"), MediaFormat::Webm},
        {"\x1A\x45\xDF\xA3", MediaFormat::Matroska},
        {ASF_HEADER, MediaFormat::WindowsMedia},
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
// none other, written out so that a format added to the table and taken
// shows here.
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
        EXPECT_EQ(TakenMediaNames(list.kind, list.whereSystemReads), list.names);
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
    }
}

// The page plays what browsers play: the sounds teachers record and the
// films phones make, and not AVI, MKV, Windows Media or MPEG; its lists name
// those. What the player plays, the tools take for it, and nothing else of
// the kind.
TEST(MediaFormat, ThePageTakesWhatBrowsersPlay)
{
    const struct {
        MediaFormat format;
        bool program;
        bool page;
    } rows[] = {
        {MediaFormat::Mp3, true, true},
        {MediaFormat::Wav, false, true},
        {MediaFormat::M4a, false, true},
        {MediaFormat::Aac, false, true},
        {MediaFormat::Ogg, false, true},
        {MediaFormat::Flac, false, true},
        {MediaFormat::Avi, true, false},
        {MediaFormat::Mp4, false, true},
        {MediaFormat::Webm, false, true},
        {MediaFormat::Matroska, false, false},
        {MediaFormat::WindowsMedia, false, false},
        {MediaFormat::Mpeg, false, false},
        {MediaFormat::Unknown, false, false},
    };
    for (const auto& row : rows) {
        const MediaKind kind = MediaFormatRow(row.format).kind;
        const MediaKind other = kind == MediaKind::Sound ? MediaKind::Film : MediaKind::Sound;
        EXPECT_EQ(IsTaken(row.format, kind), row.program) << MediaFormatName(row.format);
        EXPECT_EQ(IsPlayedOnPage(row.format, kind), row.page) << MediaFormatName(row.format);
        EXPECT_FALSE(IsPlayedOnPage(row.format, other)) << MediaFormatName(row.format);
    }
    for (const MediaFormatInfo& row : MediaFormats())
        EXPECT_FALSE(IsPlayedOnPage(row.format, MediaKind::Picture)) << row.name;
    EXPECT_EQ(PageMediaNames(MediaKind::Sound), "MP3, WAV, M4A, AAC, Ogg ou FLAC");
    EXPECT_EQ(PageMediaNames(MediaKind::Film), "MP4 ou WebM");
    EXPECT_EQ(PageMediaNames(MediaKind::Picture), "");
}
