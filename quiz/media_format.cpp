#include "quiz/media_format.h"

#include <cstring>
#include <iterator>
#include <vector>

namespace {

// magic is a literal: its length is its size less the final \0, so that
// signatures may hold zero bytes.
template <std::size_t N>
bool At(const unsigned char* bytes, std::size_t size, std::size_t offset, const char (&magic)[N])
{
    return size >= offset + N - 1 && memcmp(bytes + offset, magic, N - 1) == 0;
}

template <std::size_t N>
bool Riff(const unsigned char* bytes, std::size_t size, const char (&form)[N])
{
    return At(bytes, size, 0, "RIFF") && At(bytes, size, 8, form);
}

bool Jpeg(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "\xFF\xD8\xFF");
}

bool Png(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "\x89PNG\r\n\x1A\n");
}

bool Gif(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "GIF87a") || At(bytes, size, 0, "GIF89a");
}

bool Bitmap(const unsigned char* bytes, std::size_t size)
{
    if (!At(bytes, size, 0, "BM") || size < 18)
        return false;
    const unsigned headerSize = bytes[14] | bytes[15] << 8 | bytes[16] << 16 | bytes[17] << 24;
    return headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 ||
           headerSize == 108 || headerSize == 124;
}

bool Tiff(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "II*\0") || At(bytes, size, 0, "MM\0*");
}

bool Webp(const unsigned char* bytes, std::size_t size)
{
    return Riff(bytes, size, "WEBP");
}

// Pictures of iPhones: the container of MP4 with a brand of its own.
bool Heic(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 4, "ftypheic") || At(bytes, size, 4, "ftypheix") ||
           At(bytes, size, 4, "ftypmif1");
}

// A cursor has 2 where an icon has 1.
bool Ico(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "\0\0\1\0");
}

// An ID3 tag, or else an MPEG audio frame header of layer III.
bool Mp3(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "ID3") ||
           (size >= 4 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0 &&
            (bytes[1] >> 1 & 3) == 1 && (bytes[2] >> 4) != 0xF);
}

bool Wav(const unsigned char* bytes, std::size_t size)
{
    return Riff(bytes, size, "WAVE");
}

bool Ogg(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "OggS");
}

bool Flac(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "fLaC");
}

bool Avi(const unsigned char* bytes, std::size_t size)
{
    return Riff(bytes, size, "AVI ");
}

bool Mp4(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 4, "ftyp");
}

bool Matroska(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "\x1A\x45\xDF\xA3");
}

// A program stream's pack header, or a bare video stream's sequence header.
bool Mpeg(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "\0\0\1\xBA") || At(bytes, size, 0, "\0\0\1\xB3");
}

constexpr MediaKind PICTURE = MediaKind::Picture;
constexpr MediaKind SOUND = MediaKind::Sound;
constexpr MediaKind FILM = MediaKind::Film;
constexpr MediaKind ICON = MediaKind::Icon;
constexpr MediaKind NONE = MediaKind::None;
constexpr MediaTaken NO = MediaTaken::No;
constexpr MediaTaken SYSTEM = MediaTaken::WhereSystemReads;
constexpr MediaTaken ALWAYS = MediaTaken::Always;

// In the order lists name them; HEIC before MP4, whose signature it shares.
// A WebM plays in browsers, but its signature is Matroska's, which MKV files
// share, and those browsers do not all play.
// clang-format off
constexpr MediaFormatInfo MEDIA_FORMATS[] = {
    // format, name, kind, extensions, taken by the tools, shown as is by the player, by a browser, its media type, signature
    {MediaFormat::Jpeg,     "JPEG",                 PICTURE, {".jpg", ".jpeg", ".jpe", ".jfif"}, ALWAYS, true,  true,  "image/jpeg",               Jpeg},
    {MediaFormat::Png,      "PNG",                  PICTURE, {".png"},                           ALWAYS, false, true,  "image/png",                Png},
    {MediaFormat::Gif,      "GIF",                  PICTURE, {".gif"},                           ALWAYS, true,  true,  "image/gif",                Gif},
    {MediaFormat::Bmp,      "BMP",                  PICTURE, {".bmp", ".dib"},                   ALWAYS, true,  true,  "image/bmp",                Bitmap},
    {MediaFormat::Tiff,     "TIFF",                 PICTURE, {".tif", ".tiff"},                  ALWAYS, false, false, "image/tiff",               Tiff},
    {MediaFormat::Webp,     "WebP",                 PICTURE, {".webp"},                          SYSTEM, false, true,  "image/webp",               Webp},
    {MediaFormat::Heic,     "HEIC",                 PICTURE, {".heic", ".heif"},                 SYSTEM, false, false, "image/heic",               Heic},
    {MediaFormat::Ico,      "ICO",                  ICON,    {".ico"},                           ALWAYS, true,  true,  "image/x-icon",             Ico},
    {MediaFormat::Mp3,      "MP3",                  SOUND,   {".mp3"},                           ALWAYS, true,  true,  "audio/mpeg",               Mp3},
    {MediaFormat::Wav,      "WAV",                  SOUND,   {".wav"},                           NO,     false, true,  "audio/wav",                Wav},
    {MediaFormat::Ogg,      "Ogg",                  SOUND,   {".ogg", ".oga", ".opus"},          NO,     false, true,  "audio/ogg",                Ogg},
    {MediaFormat::Flac,     "FLAC",                 SOUND,   {".flac"},                          NO,     false, true,  "audio/flac",               Flac},
    {MediaFormat::Avi,      "AVI",                  FILM,    {".avi"},                           ALWAYS, true,  false, "video/x-msvideo",          Avi},
    {MediaFormat::Mp4,      "MP4",                  FILM,    {".mp4", ".m4v"},                   NO,     false, true,  "video/mp4",                Mp4},
    {MediaFormat::Matroska, "Matroska (MKV, WebM)", FILM,    {".mkv", ".webm"},                  NO,     false, false, "video/webm",               Matroska},
    {MediaFormat::Mpeg,     "MPEG",                 FILM,    {".mpg", ".mpeg"},                  NO,     false, false, "video/mpeg",               Mpeg},
    {MediaFormat::Unknown,  "inconnu",              NONE,    {".bin"},                           NO,     false, false, "application/octet-stream", nullptr},
};
// clang-format on

bool Taken(const MediaFormatInfo& row, bool whereSystemReads)
{
    return row.taken == MediaTaken::Always ||
           (whereSystemReads && row.taken == MediaTaken::WhereSystemReads);
}

} // namespace

MediaFormatTable MediaFormats()
{
    return {MEDIA_FORMATS, std::size(MEDIA_FORMATS)};
}

const MediaFormatInfo& MediaFormatRow(MediaFormat format)
{
    for (const MediaFormatInfo& row : MEDIA_FORMATS)
        if (row.format == format)
            return row;
    return MEDIA_FORMATS[std::size(MEDIA_FORMATS) - 1];
}

MediaFormat DetectMediaFormat(const unsigned char* bytes, std::size_t size)
{
    for (const MediaFormatInfo& row : MEDIA_FORMATS)
        if (row.matches && row.matches(bytes, size))
            return row.format;
    return MediaFormat::Unknown;
}

bool HasMediaExtension(MediaFormat format, const std::string& extension)
{
    std::string lower = extension;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const char* listed : MediaFormatRow(format).extensions)
        if (listed && lower == listed)
            return true;
    return false;
}

MediaFormat MediaFormatOfExtension(const std::string& extension)
{
    for (const MediaFormatInfo& row : MEDIA_FORMATS)
        if (HasMediaExtension(row.format, extension))
            return row.format;
    return MediaFormat::Unknown;
}

bool IsPicture(MediaFormat format)
{
    return MediaFormatRow(format).kind == MediaKind::Picture;
}

bool IsTaken(MediaFormat format, MediaKind kind)
{
    const MediaFormatInfo& row = MediaFormatRow(format);
    return row.kind == kind && row.taken != MediaTaken::No;
}

const char* MediaFormatName(MediaFormat format)
{
    return MediaFormatRow(format).name;
}

const char* MediaExtension(MediaFormat format)
{
    return MediaFormatRow(format).extensions[0];
}

std::string TakenMediaNames(MediaKind kind, bool whereSystemReads)
{
    std::vector<const char*> names;
    for (const MediaFormatInfo& row : MEDIA_FORMATS)
        if (row.kind == kind && Taken(row, whereSystemReads))
            names.push_back(row.name);
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " ou " : ", ") + std::string(names[i]);
    return list;
}

MediaFilter TakenMediaFilter(const std::string& label, std::initializer_list<MediaKind> kinds)
{
    MediaFilter filter = {label + " (", ""};
    for (const MediaFormatInfo& row : MEDIA_FORMATS) {
        bool wanted = false;
        for (MediaKind kind : kinds)
            wanted = wanted || row.kind == kind;
        if (!wanted || !Taken(row, true))
            continue;
        if (!filter.patterns.empty())
            filter.name += ", ";
        filter.name += row.name;
        for (const char* extension : row.extensions)
            if (extension)
                filter.patterns += (filter.patterns.empty() ? "*" : ";*") + std::string(extension);
    }
    filter.name += ")";
    return filter;
}
