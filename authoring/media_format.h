// Recognises a media file by its first bytes, to tell a quiz maker that a
// picture is a PNG rather than failing to show it in the player. The player
// shows JPEG, GIF and BMP pictures, plays MP3 sounds and AVI films.
#pragma once

#include <vector>

enum class MediaFormat {
    Unknown,
    Jpeg,
    Gif,
    Bmp,
    Png,
    Webp,
    Tiff,
    Mp3,
    Wav,
    Ogg,
    Flac,
    Avi,
    Mp4,
    Matroska,
    Mpeg
};

MediaFormat DetectMediaFormat(const std::vector<unsigned char>& bytes);

bool IsPlayerPicture(MediaFormat format);

// "PNG", "MP3", ... ("inconnu" for Unknown).
const char* MediaFormatName(MediaFormat format);

// ".jpg", ".mp3", ... (".bin" for Unknown).
const char* MediaExtension(MediaFormat format);
