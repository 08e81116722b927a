#include "quiz/media_format.h"

#include <cstring>
#include <iterator>

namespace {

struct Bytes {
    const unsigned char* data;
    std::size_t size;
    const unsigned char& operator[](std::size_t i) const { return data[i]; }
};

bool StartsWith(Bytes bytes, std::size_t offset, const char* magic, std::size_t length)
{
    return bytes.size >= offset + length && memcmp(bytes.data + offset, magic, length) == 0;
}

bool Riff(Bytes bytes, const char* form)
{
    return StartsWith(bytes, 0, "RIFF", 4) && StartsWith(bytes, 8, form, 4);
}

bool Bitmap(Bytes bytes)
{
    if (!StartsWith(bytes, 0, "BM", 2) || bytes.size < 18)
        return false;
    const unsigned headerSize = bytes[14] | bytes[15] << 8 | bytes[16] << 16 | bytes[17] << 24;
    return headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 ||
           headerSize == 108 || headerSize == 124;
}

// An MPEG audio frame header of layer III (MP3 files without an ID3 tag).
bool Mp3Frame(Bytes bytes)
{
    return bytes.size >= 4 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0 &&
           (bytes[1] >> 1 & 3) == 1 && (bytes[2] >> 4) != 0xF;
}

// Formats told by fixed bytes at a fixed place.
struct Signature {
    std::size_t offset;
    const char* magic;
    std::size_t length;
    MediaFormat format;
};

constexpr Signature SIGNATURES[] = {
    {0, "\xFF\xD8\xFF", 3, MediaFormat::Jpeg},
    {0, "GIF87a", 6, MediaFormat::Gif},
    {0, "GIF89a", 6, MediaFormat::Gif},
    {0, "\x89PNG\r\n\x1A\n", 8, MediaFormat::Png},
    {0, "II*\0", 4, MediaFormat::Tiff},
    {0, "MM\0*", 4, MediaFormat::Tiff},
    {0, "ID3", 3, MediaFormat::Mp3},
    {0, "OggS", 4, MediaFormat::Ogg},
    {0, "fLaC", 4, MediaFormat::Flac},
    // Pictures of iPhones: the container of MP4 with a brand of its own.
    {4, "ftypheic", 8, MediaFormat::Heic},
    {4, "ftypheix", 8, MediaFormat::Heic},
    {4, "ftypmif1", 8, MediaFormat::Heic},
    {4, "ftyp", 4, MediaFormat::Mp4},
    {0, "\x1A\x45\xDF\xA3", 4, MediaFormat::Matroska},
    {0, "\0\0\1\xBA", 4, MediaFormat::Mpeg},
    // Icons (a cursor has 2 where an icon has 1).
    {0, "\0\0\1\0", 4, MediaFormat::Ico},
    {0, "\0\0\1\xB3", 4, MediaFormat::Mpeg},
};

} // namespace

MediaFormat DetectMediaFormat(const unsigned char* data, std::size_t size)
{
    const Bytes bytes = {data, size};
    for (const Signature& signature : SIGNATURES)
        if (StartsWith(bytes, signature.offset, signature.magic, signature.length))
            return signature.format;
    if (Bitmap(bytes))
        return MediaFormat::Bmp;
    if (Mp3Frame(bytes))
        return MediaFormat::Mp3;
    if (Riff(bytes, "WEBP"))
        return MediaFormat::Webp;
    if (Riff(bytes, "WAVE"))
        return MediaFormat::Wav;
    if (Riff(bytes, "AVI "))
        return MediaFormat::Avi;
    return MediaFormat::Unknown;
}

bool IsPicture(MediaFormat format)
{
    return IsPlayerPicture(format) || format == MediaFormat::Png || format == MediaFormat::Webp ||
           format == MediaFormat::Tiff || format == MediaFormat::Heic;
}

bool IsPlayerPicture(MediaFormat format)
{
    return format == MediaFormat::Jpeg || format == MediaFormat::Gif || format == MediaFormat::Bmp;
}

namespace {

struct FormatNames {
    MediaFormat format;
    const char* name;
    const char* extension;
};

constexpr FormatNames FORMAT_NAMES[] = {
    {MediaFormat::Jpeg, "JPEG", ".jpg"},
    {MediaFormat::Gif, "GIF", ".gif"},
    {MediaFormat::Bmp, "BMP", ".bmp"},
    {MediaFormat::Png, "PNG", ".png"},
    {MediaFormat::Webp, "WebP", ".webp"},
    {MediaFormat::Tiff, "TIFF", ".tif"},
    {MediaFormat::Heic, "HEIC", ".heic"},
    {MediaFormat::Ico, "ICO", ".ico"},
    {MediaFormat::Mp3, "MP3", ".mp3"},
    {MediaFormat::Wav, "WAV", ".wav"},
    {MediaFormat::Ogg, "Ogg", ".bin"},
    {MediaFormat::Flac, "FLAC", ".bin"},
    {MediaFormat::Avi, "AVI", ".avi"},
    {MediaFormat::Mp4, "MP4", ".mp4"},
    {MediaFormat::Matroska, "Matroska (MKV, WebM)", ".bin"},
    {MediaFormat::Mpeg, "MPEG", ".bin"},
    {MediaFormat::Unknown, "inconnu", ".bin"},
};

const FormatNames& NamesOf(MediaFormat format)
{
    for (const FormatNames& names : FORMAT_NAMES)
        if (names.format == format)
            return names;
    return FORMAT_NAMES[std::size(FORMAT_NAMES) - 1];
}

} // namespace

const char* MediaFormatName(MediaFormat format)
{
    return NamesOf(format).name;
}

const char* MediaExtension(MediaFormat format)
{
    return NamesOf(format).extension;
}
