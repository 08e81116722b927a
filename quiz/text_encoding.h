// Conversions between the UTF-8 of quiz sources and the Windows-1252 bytes of
// the player. Written with code points, not character literals, so that the
// conversions do not depend on how the compiler encodes its strings.
#pragma once

#include <string>
#include <vector>

// Decodes one UTF-8 sequence at text[position]; on success stores the code
// point, moves position past it and returns true. Overlong forms, surrogates
// and values past U+10FFFF are invalid.
bool NextCodePoint(const std::string& text, size_t& position, char32_t& codePoint);

// Offset of the first byte that is not valid UTF-8, or npos.
size_t FindInvalidUtf8(const std::string& text);

void AppendUtf8(std::string& text, char32_t codePoint);

// The Windows-1252 byte of a code point, or -1 when it has none (including
// the five positions 0x81, 0x8D, 0x8F, 0x90, 0x9D that Windows-1252 leaves
// undefined).
int Windows1252Byte(char32_t codePoint);

// Text composed as far as Windows-1252 goes: a letter and the combining
// accent after it that together make a letter of Windows-1252 ("e" U+0301
// gives "é", as files saved on a Mac and some web pages hold it) become that
// letter, and the few code points that composing (NFC) replaces by one of
// Windows-1252 are replaced ("Å" for U+212B, the angstrom sign). All else,
// invalid bytes too, stays as it is.
std::string ComposedText(const std::string& utf8);

// Converts valid UTF-8, composed first (ComposedText); every code point without a byte is listed in
// unencodable, once each in order of appearance, and left out of the result,
// or given as replacement when there is one (an ANSI edit box shows "?").
std::string Utf8ToWindows1252(const std::string& utf8, std::vector<char32_t>& unencodable,
                              char replacement = 0);
// The same where which code points had no byte does not matter.
std::string Utf8ToWindows1252(const std::string& utf8, char replacement);

// Every byte maps to one code point; the undefined ones to U+0081 and the
// like, as Windows does.
std::string Windows1252ToUtf8(const std::string& bytes);

// A letter in lower case without its accent ("É" gives 'e'), so that names
// compare as people read them; any other code point as it is.
char32_t BaseLetter(char32_t codePoint);

// "U+2603" for messages.
std::string CodePointName(char32_t codePoint);
