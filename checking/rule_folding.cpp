#include "checking/rule_folding.h"

#include <cstring>

namespace {

// The plain letters of bytes 0xC0..0xFF; 0 for a byte that stays.
constexpr char PLAIN_LETTERS[] = "AAAAAA\0CEEEEIIII\0NOOOOO\0\0UUUUY\0\0"
                                 "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0y";

void HyphensAsSpaces(char* s)
{
    size_t out = 0;
    for (size_t i = 0; s[i]; ++i) {
        const char c = s[i] == '-' ? ' ' : s[i];
        if (c == ' ' && (out == 0 || s[out - 1] == ' '))
            continue;
        s[out++] = c;
    }
    if (out > 0 && s[out - 1] == ' ')
        --out;
    s[out] = '\0';
}

void FoldAccents(char (&s)[TEXT_SIZE])
{
    char folded[TEXT_SIZE];
    size_t out = 0;
    for (size_t i = 0; s[i] && out < static_cast<size_t>(MAX_TEXT_LENGTH); ++i) {
        const auto byte = static_cast<unsigned char>(s[i]);
        const char* pair = byte == 0x9C   ? "oe"
                           : byte == 0x8C ? "OE"
                           : byte == 0xE6 ? "ae"
                           : byte == 0xC6 ? "AE"
                                          : nullptr;
        if (pair) {
            folded[out++] = pair[0];
            if (out < static_cast<size_t>(MAX_TEXT_LENGTH))
                folded[out++] = pair[1];
            continue;
        }
        char plain = byte >= 0xC0 ? PLAIN_LETTERS[byte - 0xC0] : 0;
        if (byte == 0x8A || byte == 0x9A) // Š š
            plain = byte == 0x8A ? 'S' : 's';
        else if (byte == 0x8E || byte == 0x9E) // Ž ž
            plain = byte == 0x8E ? 'Z' : 'z';
        else if (byte == 0x9F) // Ÿ
            plain = 'Y';
        folded[out++] = plain ? plain : s[i];
    }
    folded[out] = '\0';
    memcpy(s, folded, out + 1);
}

// The length of the article at the start of s with the spaces after it, or 0.
size_t ArticleLength(const char* s)
{
    // Longest first: "de la " before "de l'", "les " before "le ".
    static const char* const ARTICLES[] = {"de la ", "de l'", "les ", "une ", "des ",
                                           "le ",    "la ",   "l'",   "un ",  "du "};
    for (const char* article : ARTICLES) {
        size_t i = 0;
        for (; article[i]; ++i) {
            char c = s[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c == '\x92') // ’, as a word processor types it
                c = '\'';
            if (c != article[i])
                break;
        }
        if (article[i] == '\0') {
            while (s[i] == ' ')
                ++i;
            return i;
        }
    }
    return 0;
}

void DropArticle(char* s)
{
    size_t start = 0;
    while (s[start] == ' ')
        ++start;
    const size_t length = ArticleLength(s + start);
    if (length == 0 || s[start + length] == '\0')
        return;
    memmove(s, s + start + length, strlen(s + start + length) + 1);
}

} // namespace

void FoldByRules(const AnswerRules& rules, const char* text, char (&folded)[TEXT_SIZE])
{
    CopyText(folded, text);
    if (rules.hyphensAsSpaces)
        HyphensAsSpaces(folded);
    if (rules.accentsOptional)
        FoldAccents(folded);
    if (rules.articlesOptional)
        DropArticle(folded);
}
