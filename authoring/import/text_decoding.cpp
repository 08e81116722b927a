#include "authoring/import/text_decoding.h"

#include "quiz/text_encoding.h"

namespace {

bool StartsWith(const std::string& bytes, const char* prefix, size_t length)
{
    return bytes.size() >= length && bytes.compare(0, length, prefix, length) == 0;
}

// Surrogate pairs joined; a lone surrogate becomes U+FFFD, as editors show
// it, and an odd last byte is dropped.
std::string Utf16ToUtf8(const std::string& bytes, bool bigEndian)
{
    std::string utf8;
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? a << 8 | b : b << 8 | a);
    };
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(utf8, c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
    return utf8;
}

} // namespace

DecodedText DecodeSavedText(const std::string& bytes)
{
    DecodedText text;
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
        text.encoding = TextEncoding::Utf8WithBom;
        text.utf8 = bytes.substr(3);
        // A mark does not make the rest valid: what is not UTF-8 would be
        // lost later, so such a file is read as the code page instead.
        if (FindInvalidUtf8(text.utf8) != std::string::npos)
            text = {Windows1252ToUtf8(text.utf8), TextEncoding::Windows1252};
    } else if (StartsWith(bytes, "\xFF\xFE", 2) || StartsWith(bytes, "\xFE\xFF", 2)) {
        text.encoding = TextEncoding::Utf16;
        text.utf8 = Utf16ToUtf8(bytes, bytes[0] == '\xFE');
    } else if (FindInvalidUtf8(bytes) == std::string::npos) {
        text.utf8 = bytes;
    } else {
        text = {Windows1252ToUtf8(bytes), TextEncoding::Windows1252};
    }
    return text;
}

const char* EncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Utf8WithBom:
        return "UTF-8 avec BOM";
    case TextEncoding::Utf16:
        return "UTF-16";
    case TextEncoding::Windows1252:
        return "Windows-1252";
    }
    return "";
}
