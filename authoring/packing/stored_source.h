// The quiz source as its maker wrote it, kept in the quiz program so that
// extraction gives it back with its comments ("PATCH" 107, which the player
// never reads): the text, and for each medium the name it is extracted
// under.
//
// Resource layout, integers little-endian, nothing after the last medium:
//   "QZSRC" and a version byte 1
//   u32 text length (at most MAX_STORED_TEXT), the text
//   u16 media count (at most 2 × MAX_QUESTIONS)
//   per medium: u16 resource id ("IMG" 400 + i or 10400 + i, each once),
//               u8 name length (1 to 255), the name (a safe media name)
// The decoder reads nothing past the bytes it is given and takes nothing
// that breaks these rules: a quiz program is no trusted input.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t MAX_STORED_TEXT = 1 << 20;

struct StoredMedium {
    int id = 0; // of its "IMG" resource, or KEPT_ICON_ID
    std::string name;
};

// The quiz's own icon among the media, which has no "IMG" id.
constexpr int KEPT_ICON_ID = 1;

struct StoredSource {
    std::string text;
    std::vector<StoredMedium> media;
};

// False when stored breaks the rules above (a text too long, say).
bool EncodeStoredSource(const StoredSource& stored, std::vector<unsigned char>& bytes);

bool DecodeStoredSource(const unsigned char* data, size_t size, StoredSource& stored);

// A name extraction may write under its folder: relative, "/" between
// folders, no part empty, "." or "..", nor a Windows device name ("con",
// "nul.jpg", "COM¹", "conout$"), nor ending in a dot or a space; no control character nor any
// of \ : * ? " < > |; valid UTF-8, 255 bytes at most.
bool IsSafeMediaName(const std::string& name);
