#include "quiz/media_format.h"

#include <cstdint>
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

// Where the audio frames start: past an ID3 tag (its size in 7-bit bytes,
// and its footer), which MP3 and AAC files may both begin with.
std::size_t AfterId3(const unsigned char* bytes, std::size_t size)
{
    if (!At(bytes, size, 0, "ID3") || size < 10)
        return 0;
    const std::size_t tag = std::size_t{bytes[6] & 0x7Fu} << 21 | (bytes[7] & 0x7Fu) << 14 |
                            (bytes[8] & 0x7Fu) << 7 | (bytes[9] & 0x7Fu);
    return 10 + tag + (bytes[5] & 0x10 ? 10 : 0);
}

// An AAC frame header (ADTS): a 12-bit sync, then layer 0.
bool Adts(const unsigned char* bytes, std::size_t size, std::size_t at)
{
    return at < size && size - at >= 2 && bytes[at] == 0xFF && (bytes[at + 1] & 0xF6) == 0xF0;
}

bool Aac(const unsigned char* bytes, std::size_t size)
{
    return Adts(bytes, size, AfterId3(bytes, size));
}

// An ID3 tag not followed by AAC, or else an MPEG audio frame header of
// layer III.
bool Mp3(const unsigned char* bytes, std::size_t size)
{
    if (At(bytes, size, 0, "ID3"))
        return !Aac(bytes, size);
    return size >= 4 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0 && (bytes[1] >> 1 & 3) == 1 &&
           (bytes[2] >> 4) != 0xF;
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

std::uint32_t BigEndian32(const unsigned char* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

struct Mp4Tracks {
    bool sound = false;
    bool video = false;
};

// Notes the handler of each track of an MP4's movie, walking the boxes
// between begin and end down moov, trak, mdia to hdlr. A box cut by the end
// of the file is read as far as it goes.
void ReadMp4Tracks(const unsigned char* bytes, std::size_t begin, std::size_t end, int depth,
                   Mp4Tracks& tracks)
{
    static const char* const PATH[] = {"moov", "trak", "mdia"};
    for (std::size_t at = begin; end - at >= 8;) {
        std::uint64_t size = BigEndian32(bytes + at);
        std::size_t header = 8;
        if (size == 1 && end - at >= 16) {
            size = std::uint64_t{BigEndian32(bytes + at + 8)} << 32 | BigEndian32(bytes + at + 12);
            header = 16;
        } else if (size == 0) {
            size = end - at; // up to the end of the file
        }
        if (size < header)
            return;
        if (size > end - at)
            size = end - at;
        const unsigned char* type = bytes + at + 4;
        if (depth < 3 && memcmp(type, PATH[depth], 4) == 0)
            ReadMp4Tracks(bytes, at + header, at + size, depth + 1, tracks);
        // Version and flags, a zero, then the handler's type.
        else if (depth == 3 && memcmp(type, "hdlr", 4) == 0 && size >= header + 12) {
            tracks.sound = tracks.sound || memcmp(bytes + at + header + 8, "soun", 4) == 0;
            tracks.video = tracks.video || memcmp(bytes + at + header + 8, "vide", 4) == 0;
        }
        at += static_cast<std::size_t>(size);
    }
}

// A sound in MP4's container: the brand of iPhones and iTunes or, as other
// phones record it, any brand with a sound track and no picture track.
bool M4a(const unsigned char* bytes, std::size_t size)
{
    if (!Mp4(bytes, size))
        return false;
    if (At(bytes, size, 8, "M4A ") || At(bytes, size, 8, "M4B "))
        return true;
    Mp4Tracks tracks;
    ReadMp4Tracks(bytes, 0, size, 0, tracks);
    return tracks.sound && !tracks.video;
}

bool Matroska(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "\x1A\x45\xDF\xA3");
}

// An EBML number at at, within size: its length (0 when it is cut or longer
// than 8 bytes) and its value without the length's marker.
std::size_t EbmlNumber(const unsigned char* bytes, std::size_t size, std::size_t at,
                       std::uint64_t& value)
{
    if (at >= size || bytes[at] == 0)
        return 0;
    std::size_t length = 1;
    while (!(bytes[at] & 0x80 >> (length - 1)))
        ++length;
    if (size - at < length)
        return 0;
    value = bytes[at] & (0xFF >> length);
    for (std::size_t i = 1; i < length; ++i)
        value = value << 8 | bytes[at + i];
    return length;
}

// A Matroska file whose header names its kind (DocType, element 0x4282)
// "webm": browsers play those, not every MKV.
bool Webm(const unsigned char* bytes, std::size_t size)
{
    std::uint64_t headerSize = 0;
    const std::size_t length = Matroska(bytes, size) ? EbmlNumber(bytes, size, 4, headerSize) : 0;
    if (length == 0)
        return false;
    std::size_t at = 4 + length;
    const std::size_t end =
        headerSize < size - at ? at + static_cast<std::size_t>(headerSize) : size;
    while (at < end) {
        std::uint64_t id = 0, dataSize = 0;
        const std::size_t idLength = EbmlNumber(bytes, end, at, id);
        const std::size_t sizeLength =
            idLength ? EbmlNumber(bytes, end, at + idLength, dataSize) : 0;
        if (sizeLength == 0)
            return false;
        at += idLength + sizeLength;
        if (dataSize > end - at)
            return false;
        if (idLength == 2 && id == 0x282)
            return dataSize == 4 && memcmp(bytes + at, "webm", 4) == 0;
        at += static_cast<std::size_t>(dataSize);
    }
    return false;
}

// The header object of ASF, Windows Media's container (WMV, WMA).
bool WindowsMedia(const unsigned char* bytes, std::size_t size)
{
    return At(bytes, size, 0, "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C");
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

// In the order lists name them; HEIC and M4A before MP4, whose signature
// they share, WebM before Matroska (MKV), whose signature it shares: not
// every MKV plays in browsers. An AAC or MP3 file may start with the same
// ID3 tag: what follows it tells them apart.
// clang-format off
constexpr MediaFormatInfo MEDIA_FORMATS[] = {
    // format, name, kind, extensions, taken by the tools, shown as is by the player, by a browser, its media type, signature
    {MediaFormat::Jpeg,         "JPEG",          PICTURE, {".jpg", ".jpeg", ".jpe", ".jfif"}, ALWAYS, true,  true,  "image/jpeg",               Jpeg},
    {MediaFormat::Png,          "PNG",           PICTURE, {".png"},                           ALWAYS, false, true,  "image/png",                Png},
    {MediaFormat::Gif,          "GIF",           PICTURE, {".gif"},                           ALWAYS, true,  true,  "image/gif",                Gif},
    {MediaFormat::Bmp,          "BMP",           PICTURE, {".bmp", ".dib"},                   ALWAYS, true,  true,  "image/bmp",                Bitmap},
    {MediaFormat::Tiff,         "TIFF",          PICTURE, {".tif", ".tiff"},                  ALWAYS, false, false, "image/tiff",               Tiff},
    {MediaFormat::Webp,         "WebP",          PICTURE, {".webp"},                          SYSTEM, false, true,  "image/webp",               Webp},
    {MediaFormat::Heic,         "HEIC",          PICTURE, {".heic", ".heif"},                 SYSTEM, false, false, "image/heic",               Heic},
    {MediaFormat::Ico,          "ICO",           ICON,    {".ico"},                           ALWAYS, true,  true,  "image/x-icon",             Ico},
    {MediaFormat::Mp3,          "MP3",           SOUND,   {".mp3"},                           ALWAYS, true,  true,  "audio/mpeg",               Mp3},
    {MediaFormat::Wav,          "WAV",           SOUND,   {".wav"},                           NO,     false, true,  "audio/wav",                Wav},
    {MediaFormat::M4a,          "M4A",           SOUND,   {".m4a"},                           NO,     false, true,  "audio/mp4",                M4a},
    {MediaFormat::Aac,          "AAC",           SOUND,   {".aac"},                           NO,     false, true,  "audio/aac",                Aac},
    {MediaFormat::Ogg,          "Ogg",           SOUND,   {".ogg", ".oga", ".opus"},          NO,     false, true,  "audio/ogg",                Ogg},
    {MediaFormat::Flac,         "FLAC",          SOUND,   {".flac"},                          NO,     false, true,  "audio/flac",               Flac},
    {MediaFormat::Avi,          "AVI",           FILM,    {".avi"},                           ALWAYS, true,  false, "video/x-msvideo",          Avi},
    {MediaFormat::Mp4,          "MP4",           FILM,    {".mp4", ".m4v"},                   NO,     false, true,  "video/mp4",                Mp4},
    {MediaFormat::Webm,         "WebM",          FILM,    {".webm"},                          NO,     false, true,  "video/webm",               Webm},
    {MediaFormat::Matroska,     "MKV",           FILM,    {".mkv"},                           NO,     false, false, "video/x-matroska",         Matroska},
    {MediaFormat::WindowsMedia, "Windows Media", FILM,    {".wmv", ".asf"},                   NO,     false, false, "video/x-ms-asf",           WindowsMedia},
    {MediaFormat::Mpeg,         "MPEG",          FILM,    {".mpg", ".mpeg"},                  NO,     false, false, "video/mpeg",               Mpeg},
    {MediaFormat::Unknown,      "inconnu",       NONE,    {".bin"},                           NO,     false, false, "application/octet-stream", nullptr},
};
// clang-format on

bool Taken(const MediaFormatInfo& row, bool whereSystemReads)
{
    return row.taken == MediaTaken::Always ||
           (whereSystemReads && row.taken == MediaTaken::WhereSystemReads);
}

// "A, B ou C": the names of the rows wanted, in the table's order.
template <typename Wanted> std::string NamesOf(Wanted wanted)
{
    std::vector<const char*> names;
    for (const MediaFormatInfo& row : MEDIA_FORMATS)
        if (wanted(row))
            names.push_back(row.name);
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " ou " : ", ") + std::string(names[i]);
    return list;
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

bool IsPlayedOnPage(MediaFormat format, MediaKind kind)
{
    const MediaFormatInfo& row = MediaFormatRow(format);
    return (kind == MediaKind::Sound || kind == MediaKind::Film) && row.kind == kind && row.web;
}

std::string TakenMediaNames(MediaKind kind, bool whereSystemReads)
{
    return NamesOf([&](const MediaFormatInfo& row) {
        return row.kind == kind && Taken(row, whereSystemReads);
    });
}

std::string PageMediaNames(MediaKind kind)
{
    return NamesOf([&](const MediaFormatInfo& row) { return IsPlayedOnPage(row.format, kind); });
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
