// The text of a file that a spreadsheet or an editor saved, as UTF-8. A
// byte-order mark says UTF-8 or UTF-16 (Excel's "Texte Unicode"); without
// one, bytes that are valid UTF-8 are taken as such (LibreOffice's default)
// and anything else as Windows-1252, what Excel writes on a French Windows.
#pragma once

#include <string>

enum class TextEncoding { Utf8, Utf8WithBom, Utf16, Windows1252 };

struct DecodedText {
    std::string utf8; // without the byte-order mark
    TextEncoding encoding = TextEncoding::Utf8;
};

DecodedText DecodeSavedText(const std::string& bytes);

// "UTF-8", "UTF-8 avec BOM", "UTF-16", "Windows-1252", for messages.
const char* EncodingName(TextEncoding encoding);
