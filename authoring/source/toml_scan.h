// A light lexical reading of a TOML text: where its strings and comments lie,
// where its lines begin and end, and which key stands before a value. Enough
// to explain the mistakes that toml++ reports tersely and to find a value's
// own text; judging the text is toml++'s work.
//
// Places are 1-based lines and columns counted in characters, as toml++
// counts them; offsets are byte offsets into the text.
#pragma once

#include "authoring/source/problem.h"

#include <string>
#include <vector>

enum class TokenKind { BasicString, LiteralString, MultilineBasic, MultilineLiteral, Comment };

struct TomlToken {
    TokenKind kind;
    size_t begin; // the opening quote, or the #
    size_t end;   // past the closing quote; for an unclosed string, its line's end (or the text's)
    bool closed;
};

// The strings and comments of text in order, a byte order mark skipped.
// Escapes count in basic strings; a single-line string ends with its line.
std::vector<TomlToken> ScanToml(const std::string& text);

// The token that begins at offset, or nullptr.
const TomlToken* TokenAt(const std::vector<TomlToken>& tokens, size_t offset);

// The token that holds offset (begin <= offset < end), or nullptr.
const TomlToken* TokenAround(const std::vector<TomlToken>& tokens, size_t offset);

// The first token that begins at or after offset, or nullptr.
const TomlToken* TokenFrom(const std::vector<TomlToken>& tokens, size_t offset);

SourcePlace PlaceOfOffset(const std::string& text, size_t offset);

// The same for offsets met in increasing order, each counted on from the
// last, so that placing every mistake of a long file stays linear.
struct PlaceCursor {
    size_t offset = 0;
    SourcePlace place;
};
SourcePlace PlaceOfOffset(const std::string& text, size_t offset, PlaceCursor& cursor);

// The offset of a place, or npos when the text has no such place.
size_t OffsetOfPlace(const std::string& text, SourcePlace place);

struct TextLine {
    size_t begin = 0;
    size_t end = 0; // before its "\n" or "\r\n"
};

// The line that holds offset (the last line when offset is the text's end).
TextLine LineAround(const std::string& text, size_t offset);

std::string LineText(const std::string& text, const TextLine& line);

// The key of the key-value line that holds offset when everything between
// the line's start and offset is "key =" (the key bare or in quotes), unquoted;
// "" otherwise (a quoted key that holds its own quote unescaped is none). Costs
// the length of "key =", not of the line.
std::string KeyBefore(const std::string& text, size_t offset);

// Spaces and tabs off both ends.
std::string Trimmed(const std::string& text);
