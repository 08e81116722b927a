#include "quiz/text_encoding.h"

#include <algorithm>
#include <cstdio>

namespace {

// Code points of the bytes 0x80-0x9F; 0 where Windows-1252 has none.
constexpr char32_t HIGH_CONTROLS[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Each combining accent, the letters it goes on and the letters they make,
// in the same order: the canonical decompositions of Windows-1252's letters.
constexpr struct {
    char32_t mark;
    const char* bases;
    char32_t composed[12];
} ACCENTS[] = {
    {0x0300, "AEIOUaeiou", {0xC0, 0xC8, 0xCC, 0xD2, 0xD9, 0xE0, 0xE8, 0xEC, 0xF2, 0xF9}}, // grave
    {0x0301,
     "AEIOUYaeiouy",
     {0xC1, 0xC9, 0xCD, 0xD3, 0xDA, 0xDD, 0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xFD}}, // acute
    {0x0302,
     "AEIOUaeiou",
     {0xC2, 0xCA, 0xCE, 0xD4, 0xDB, 0xE2, 0xEA, 0xEE, 0xF4, 0xFB}}, // circumflex
    {0x0303, "ANOano", {0xC3, 0xD1, 0xD5, 0xE3, 0xF1, 0xF5}},       // tilde
    {0x0308,
     "AEIOUYaeiouy",
     {0xC4, 0xCB, 0xCF, 0xD6, 0xDC, 0x178, 0xE4, 0xEB, 0xEF, 0xF6, 0xFC, 0xFF}}, // diaeresis
    {0x030A, "Aa", {0xC5, 0xE5}},                                                // ring above
    {0x030C, "SZsz", {0x160, 0x17D, 0x161, 0x17E}},                              // caron
    {0x0327, "Cc", {0xC7, 0xE7}},                                                // cedilla
};

// The code points that composing replaces by one Windows-1252 holds, and the
// two old forms of the grave and acute accents.
constexpr char32_t SINGLETONS[][2] = {
    {0x037E, ';'}, {0x0387, 0xB7}, {0x1FEF, '`'},    {0x1FFD, 0xB4},
    {0x212A, 'K'}, {0x212B, 0xC5}, {0x0340, 0x0300}, {0x0341, 0x0301},
};

// The letter of Windows-1252 that base and mark make, or 0.
char32_t ComposedLetter(char32_t base, char32_t mark)
{
    for (const auto& accent : ACCENTS)
        if (accent.mark == mark)
            for (size_t i = 0; accent.bases[i] != '\0'; ++i)
                if (static_cast<char32_t>(accent.bases[i]) == base)
                    return accent.composed[i];
    return 0;
}

} // namespace

std::string ComposedText(const std::string& utf8)
{
    std::string text;
    size_t position = 0;
    size_t last = 0;       // where the last code point written starts in text
    char32_t previous = 0; // that code point, 0 after invalid bytes
    while (position < utf8.size()) {
        char32_t c;
        if (!NextCodePoint(utf8, position, c)) {
            text += utf8[position++];
            previous = 0;
            continue;
        }
        for (const auto& singleton : SINGLETONS)
            if (singleton[0] == c)
                c = singleton[1];
        const char32_t letter = ComposedLetter(previous, c);
        if (letter != 0) {
            text.resize(last);
            c = letter;
        }
        last = text.size();
        AppendUtf8(text, c);
        previous = c;
    }
    return text;
}

bool NextCodePoint(const std::string& text, size_t& position, char32_t& codePoint)
{
    const size_t size = text.size();
    if (position >= size)
        return false;
    const auto lead = static_cast<unsigned char>(text[position]);
    int length;
    char32_t value;
    char32_t minimum;
    if (lead < 0x80) {
        codePoint = lead;
        ++position;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (size - position < static_cast<size_t>(length))
        return false;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[position + i]);
        if ((next & 0xC0) != 0x80)
            return false;
        value = value << 6 | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    codePoint = value;
    position += length;
    return true;
}

size_t FindInvalidUtf8(const std::string& text)
{
    size_t position = 0;
    char32_t codePoint;
    while (position < text.size())
        if (!NextCodePoint(text, position, codePoint))
            return position;
    return std::string::npos;
}

void AppendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | c >> 6);
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | c >> 12);
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | c >> 18);
        text += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int Windows1252Byte(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    if (codePoint == 0)
        return -1;
    for (int i = 0; i < 32; ++i)
        if (HIGH_CONTROLS[i] == codePoint)
            return 0x80 + i;
    return -1;
}

namespace {

// Both conversions; unencodable may be null, which spares the web page's
// box the code of a growing list it never reads.
std::string ToWindows1252(const std::string& utf8, std::vector<char32_t>* unencodable,
                          char replacement)
{
    const std::string text = ComposedText(utf8);
    std::string bytes;
    size_t position = 0;
    char32_t codePoint;
    while (position < text.size()) {
        if (!NextCodePoint(text, position, codePoint)) {
            ++position; // invalid input: skipped, callers validate first
            continue;
        }
        const int byte = Windows1252Byte(codePoint);
        if (byte >= 0) {
            bytes += static_cast<char>(byte);
            continue;
        }
        if (replacement != 0)
            bytes += replacement;
        if (unencodable &&
            std::find(unencodable->begin(), unencodable->end(), codePoint) == unencodable->end())
            unencodable->push_back(codePoint);
    }
    return bytes;
}

} // namespace

std::string Utf8ToWindows1252(const std::string& utf8, std::vector<char32_t>& unencodable,
                              char replacement)
{
    unencodable.clear();
    return ToWindows1252(utf8, &unencodable, replacement);
}

std::string Utf8ToWindows1252(const std::string& utf8, char replacement)
{
    return ToWindows1252(utf8, nullptr, replacement);
}

char32_t BaseLetter(char32_t codePoint)
{
    // The letters of U+00C0-U+00FF without their accents, in lower case; "-"
    // where there is no letter (× and ÷).
    static constexpr char LATIN1_BASES[] =
        "aaaaaaaceeeeiiiidnooooo-ouuuuytsaaaaaaaceeeeiiiidnooooo-ouuuuyty";
    static_assert(sizeof LATIN1_BASES == 0x40 + 1, "one letter for each of U+00C0-U+00FF");
    if (codePoint >= 'A' && codePoint <= 'Z')
        return codePoint + ('a' - 'A');
    if (codePoint >= 0xC0 && codePoint <= 0xFF && LATIN1_BASES[codePoint - 0xC0] != '-')
        return static_cast<unsigned char>(LATIN1_BASES[codePoint - 0xC0]);
    return codePoint;
}

std::string Windows1252ToUtf8(const std::string& bytes)
{
    std::string utf8;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t mapped = byte >= 0x80 && byte < 0xA0 ? HIGH_CONTROLS[byte - 0x80] : 0;
        AppendUtf8(utf8, mapped ? mapped : byte);
    }
    return utf8;
}

std::string CodePointName(char32_t codePoint)
{
    char name[16];
    snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}
