#include "authoring/media_format.h"

#include <cstring>

namespace {

bool StartsWith(const std::vector<unsigned char>& bytes, size_t offset, const char* magic,
                size_t length)
{
    return bytes.size() >= offset + length && memcmp(bytes.data() + offset, magic, length) == 0;
}

bool Riff(const std::vector<unsigned char>& bytes, const char* form)
{
    return StartsWith(bytes, 0, "RIFF", 4) && StartsWith(bytes, 8, form, 4);
}

bool Bitmap(const std::vector<unsigned char>& bytes)
{
    if (!StartsWith(bytes, 0, "BM", 2) || bytes.size() < 18)
        return false;
    const unsigned headerSize = bytes[14] | bytes[15] << 8 | bytes[16] << 16 | bytes[17] << 24;
    return headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 ||
           headerSize == 108 || headerSize == 124;
}

// An MPEG audio frame header of layer III (MP3 files without an ID3 tag).
bool Mp3Frame(const std::vector<unsigned char>& bytes)
{
    return bytes.size() >= 4 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0 &&
           (bytes[1] >> 1 & 3) == 1 && (bytes[2] >> 4) != 0xF;
}

} // namespace

MediaFormat DetectMediaFormat(const std::vector<unsigned char>& bytes)
{
    if (StartsWith(bytes, 0, "\xFF\xD8\xFF", 3))
        return MediaFormat::Jpeg;
    if (StartsWith(bytes, 0, "GIF87a", 6) || StartsWith(bytes, 0, "GIF89a", 6))
        return MediaFormat::Gif;
    if (Bitmap(bytes))
        return MediaFormat::Bmp;
    if (StartsWith(bytes, 0, "\x89PNG\r\n\x1A\n", 8))
        return MediaFormat::Png;
    if (Riff(bytes, "WEBP"))
        return MediaFormat::Webp;
    if (StartsWith(bytes, 0, "II*\0", 4) || StartsWith(bytes, 0, "MM\0*", 4))
        return MediaFormat::Tiff;
    if (StartsWith(bytes, 0, "ID3", 3) || Mp3Frame(bytes))
        return MediaFormat::Mp3;
    if (Riff(bytes, "WAVE"))
        return MediaFormat::Wav;
    if (StartsWith(bytes, 0, "OggS", 4))
        return MediaFormat::Ogg;
    if (StartsWith(bytes, 0, "fLaC", 4))
        return MediaFormat::Flac;
    if (Riff(bytes, "AVI "))
        return MediaFormat::Avi;
    if (StartsWith(bytes, 4, "ftyp", 4))
        return MediaFormat::Mp4;
    if (StartsWith(bytes, 0, "\x1A\x45\xDF\xA3", 4))
        return MediaFormat::Matroska;
    if (StartsWith(bytes, 0, "\0\0\1\xBA", 4) || StartsWith(bytes, 0, "\0\0\1\xB3", 4))
        return MediaFormat::Mpeg;
    return MediaFormat::Unknown;
}

bool IsPlayerPicture(MediaFormat format)
{
    return format == MediaFormat::Jpeg || format == MediaFormat::Gif || format == MediaFormat::Bmp;
}

const char* MediaFormatName(MediaFormat format)
{
    switch (format) {
    case MediaFormat::Jpeg:
        return "JPEG";
    case MediaFormat::Gif:
        return "GIF";
    case MediaFormat::Bmp:
        return "BMP";
    case MediaFormat::Png:
        return "PNG";
    case MediaFormat::Webp:
        return "WebP";
    case MediaFormat::Tiff:
        return "TIFF";
    case MediaFormat::Mp3:
        return "MP3";
    case MediaFormat::Wav:
        return "WAV";
    case MediaFormat::Ogg:
        return "Ogg";
    case MediaFormat::Flac:
        return "FLAC";
    case MediaFormat::Avi:
        return "AVI";
    case MediaFormat::Mp4:
        return "MP4";
    case MediaFormat::Matroska:
        return "Matroska (MKV, WebM)";
    case MediaFormat::Mpeg:
        return "MPEG";
    default:
        return "inconnu";
    }
}

const char* MediaExtension(MediaFormat format)
{
    switch (format) {
    case MediaFormat::Jpeg:
        return ".jpg";
    case MediaFormat::Gif:
        return ".gif";
    case MediaFormat::Bmp:
        return ".bmp";
    case MediaFormat::Png:
        return ".png";
    case MediaFormat::Mp3:
        return ".mp3";
    case MediaFormat::Wav:
        return ".wav";
    case MediaFormat::Avi:
        return ".avi";
    case MediaFormat::Mp4:
        return ".mp4";
    default:
        return ".bin";
    }
}
