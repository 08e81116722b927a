// Recognises a media file by its first bytes: quizzpack tells a quiz maker
// that a picture is a PNG rather than the player failing to show it, and the
// player refuses a picture given as a sound or film (Wine's media framework,
// handed one, never returns). The player shows JPEG, GIF and BMP pictures,
// plays MP3 sounds and AVI films.
#pragma once

#include <cstddef>

enum class MediaFormat {
    Unknown,
    Jpeg,
    Gif,
    Bmp,
    Png,
    Webp,
    Tiff,
    Heic,
    Ico,
    Mp3,
    Wav,
    Ogg,
    Flac,
    Avi,
    Mp4,
    Matroska,
    Mpeg
};

MediaFormat DetectMediaFormat(const unsigned char* bytes, std::size_t size);

// A picture of any kind, and one the player can show.
bool IsPicture(MediaFormat format);
bool IsPlayerPicture(MediaFormat format);

// "PNG", "MP3", ... ("inconnu" for Unknown).
const char* MediaFormatName(MediaFormat format);

// ".jpg", ".mp3", ... (".bin" for Unknown).
const char* MediaExtension(MediaFormat format);
