// The kinds of media a quiz takes, in one table: for each format, how its
// first bytes tell it, its file extensions, its name, whether it is a
// picture, a sound, a film or an icon, whether the authoring tools take it,
// whether the Windows player shows it as it is and whether a browser does.
// Every list of formats a teacher reads (messages, the atelier's file
// dialogs, the files it takes) is made from this table.
//
// The bytes decide, not the name: quizzpack tells a quiz maker that a
// "sound" is a WAV rather than the player failing to play it, and the player
// refuses a picture given as a sound or film (Wine's media framework, handed
// one, never returns). The tools take every picture they can decode and
// store it as a JPEG the player shows; the player plays MP3 sounds and AVI
// films only.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

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
    M4a,
    Aac,
    Ogg,
    Flac,
    Avi,
    Mp4,
    Webm,
    Matroska,
    WindowsMedia,
    Mpeg
};

// What a format is to a quiz; an icon is only ever the quiz's own icon.
enum class MediaKind { None, Picture, Sound, Film, Icon };

// Whether the authoring tools take a format. WebP and HEIC pictures are
// read by the system's decoder, only where Windows has their codecs.
enum class MediaTaken { No, WhereSystemReads, Always };

constexpr int MAX_MEDIA_EXTENSIONS = 4;

struct MediaFormatInfo {
    MediaFormat format;
    const char* name; // "JPEG", "Windows Media"
    MediaKind kind;
    // Lower case, the first one given to a stored file; null after the last.
    const char* extensions[MAX_MEDIA_EXTENSIONS];
    MediaTaken taken; // and converted at build when the player does not show it as is
    bool player;      // the Windows player shows or plays it as it is
    bool web;         // current browsers show or play it
    const char* mime; // its media type, as a browser is told it
    // Its signature; null for Unknown alone.
    bool (*matches)(const unsigned char* bytes, std::size_t size);
};

// Every row, in the order lists name them, Unknown ("inconnu", ".bin") last.
struct MediaFormatTable {
    const MediaFormatInfo* first;
    std::size_t count;
    const MediaFormatInfo* begin() const { return first; }
    const MediaFormatInfo* end() const { return first + count; }
};
MediaFormatTable MediaFormats();

const MediaFormatInfo& MediaFormatRow(MediaFormat format);

// The first row whose signature the bytes match.
MediaFormat DetectMediaFormat(const unsigned char* bytes, std::size_t size);

// Whether extension (".JPG", ".jpeg": either case) is one of the format's.
bool HasMediaExtension(MediaFormat format, const std::string& extension);

// The format whose extensions include extension; Unknown for any other.
MediaFormat MediaFormatOfExtension(const std::string& extension);

bool IsPicture(MediaFormat format);

// Whether the authoring tools take the format as a medium of that kind.
bool IsTaken(MediaFormat format, MediaKind kind);

// "PNG", "MP3", ... ("inconnu" for Unknown).
const char* MediaFormatName(MediaFormat format);

// ".jpg", ".mp3", ... (".bin" for Unknown).
const char* MediaExtension(MediaFormat format);

// The names of the formats of a kind that the tools take everywhere, for a
// message: "JPEG, PNG, GIF, BMP ou TIFF", "MP3"; with whereSystemReads, those
// they take where the system reads them too ("..., TIFF, WebP ou HEIC").
std::string TakenMediaNames(MediaKind kind, bool whereSystemReads = false);

// Whether the web page plays the format as a sound or a film of that kind:
// current browsers play it. Its pictures are those the tools take.
bool IsPlayedOnPage(MediaFormat format, MediaKind kind);

// The names of the sounds or films the page plays, for a message:
// "MP3, WAV, M4A, AAC, Ogg ou FLAC", "MP4 ou WebM".
std::string PageMediaNames(MediaKind kind);

// A file dialog's filter of every format of the kinds that the tools take:
// its name, label and those formats ("Images (JPEG, PNG, ...)"), and its
// patterns ("*.jpg;*.jpeg;...").
struct MediaFilter {
    std::string name;
    std::string patterns;
};
MediaFilter TakenMediaFilter(const std::string& label, std::initializer_list<MediaKind> kinds);
