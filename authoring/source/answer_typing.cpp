#include "authoring/source/answer_typing.h"

#include "authoring/source/problem.h"
#include "checking/verdict.h"
#include "quiz/text_encoding.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsApostrophe(char32_t c)
{
    switch (c) {
    case 0x2019: // ’ right single quotation mark, what word processors put
    case 0x2018: // ‘
    case 0x201B: // ‛
    case 0x02BC: // ʼ modifier letter apostrophe
    case 0x02B9: // ʹ
    case 0x2032: // ′ prime
    case 0x00B4: // ´ acute accent, typed for an apostrophe
    case 0xFF07: // ＇ fullwidth
        return true;
    default:
        return false;
    }
}

bool IsSpecialSpace(char32_t c)
{
    return c == 0x00A0 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool IsInvisible(char32_t c)
{
    return c == 0x00AD || c == 0x200B || c == 0x200E || c == 0x200F || c == 0x2060 || c == 0xFEFF;
}

// What a French AZERTY keyboard types beyond ASCII: its own keys, the
// circumflex and diaeresis dead keys on the vowels, and AltGr's symbols.
bool IsTypable(char32_t c)
{
    if (c >= 0x20 && c < 0x7F)
        return true;
    static const char32_t KEYS[] = {
        0xE9,   0xE8, 0xE7, 0xE0, 0xF9,                    // é è ç à ù
        0xE2,   0xEA, 0xEE, 0xF4, 0xFB,                    // â ê î ô û
        0xC2,   0xCA, 0xCE, 0xD4, 0xDB,                    // Â Ê Î Ô Û
        0xE4,   0xEB, 0xEF, 0xF6, 0xFC, 0xFF,              // ä ë ï ö ü ÿ
        0xC4,   0xCB, 0xCF, 0xD6, 0xDC, 0x178,             // Ä Ë Ï Ö Ü Ÿ
        0x20AC, 0xA3, 0xA4, 0xA7, 0xB5, 0xB0,  0xB2, 0xA8, // € £ ¤ § µ ° ² ¨
    };
    return std::find(std::begin(KEYS), std::end(KEYS), c) != std::end(KEYS);
}

struct Replacement {
    char32_t hard;
    const char* typed;
};

// What pupils type instead. The accented capitals have no key: pupils type
// the small letter, which the player does not take for the capital.
const Replacement REPLACEMENTS[] = {
    {0x153, "oe"},  {0x152, "OE"},  {0xE6, "ae"},    {0xC6, "AE"},   {0xAB, "\""},   {0xBB, "\""},
    {0x201C, "\""}, {0x201D, "\""}, {0x201E, "\""},  {0x2039, "\""}, {0x203A, "\""}, {0x201A, "'"},
    {0x2013, "-"},  {0x2014, "-"},  {0x2026, "..."}, {0xC9, u8"é"},  {0xC8, u8"è"},  {0xC0, u8"à"},
    {0xC7, u8"ç"},  {0xD9, u8"ù"},  {0xE1, "a"},     {0xC1, "A"},    {0xE3, "a"},    {0xC3, "A"},
    {0xE5, "a"},    {0xC5, "A"},    {0xEC, "i"},     {0xCC, "I"},    {0xED, "i"},    {0xCD, "I"},
    {0xF2, "o"},    {0xD2, "O"},    {0xF3, "o"},     {0xD3, "O"},    {0xF5, "o"},    {0xD5, "O"},
    {0xF8, "o"},    {0xD8, "O"},    {0xFA, "u"},     {0xDA, "U"},    {0xFD, "y"},    {0xDD, "Y"},
    {0xF1, "n"},    {0xD1, "N"},    {0xDF, "ss"},    {0xF0, "d"},    {0xD0, "D"},    {0xFE, "th"},
    {0xDE, "TH"},   {0x161, "s"},   {0x160, "S"},    {0x17E, "z"},   {0x17D, "Z"},   {0x192, "f"},
    {0xD7, "x"},    {0xF7, "/"},    {0xB7, "."},     {0xBC, "1/4"},  {0xBD, "1/2"},  {0xBE, "3/4"},
    {0xB9, "1"},    {0xB3, "3"},    {0x2C6, "^"},    {0x2DC, "~"},   {0xA6, "|"},    {0xA1, ""},
    {0xBF, ""},
};

std::string Utf8(char32_t c)
{
    std::string text;
    AppendUtf8(text, c);
    return text;
}

std::string Windows1252(const std::string& utf8)
{
    std::vector<char32_t> unencodable;
    return Utf8ToWindows1252(utf8, unencodable);
}

std::string Count(int count, const char* one, const char* many)
{
    return count > 1 ? many : one;
}

} // namespace

AnswerTyping FixAnswerTyping(const std::string& answer)
{
    AnswerTyping typing;
    std::string& fixed = typing.fixed;
    size_t position = 0;
    char32_t c;
    while (position < answer.size()) {
        const size_t start = position;
        if (!NextCodePoint(answer, position, c)) {
            // Not UTF-8: the reader refuses such a file before this.
            fixed += answer[position++];
            continue;
        }
        if (IsApostrophe(c)) {
            fixed += '\'';
            ++typing.apostrophes;
        } else if (IsSpecialSpace(c)) {
            fixed += ' ';
            ++typing.spaces;
        } else if (IsInvisible(c)) {
            ++typing.invisibles;
        } else {
            fixed.append(answer, start, position - start);
        }
    }
    const size_t first = fixed.find_first_not_of(' ');
    const size_t last = fixed.find_last_not_of(' ');
    const std::string trimmed =
        first == std::string::npos ? std::string() : fixed.substr(first, last - first + 1);
    typing.trimmed = static_cast<int>(fixed.size() - trimmed.size());
    fixed = trimmed;

    // As the conversion will compose them: "E" U+0301 is an "É" to type.
    const std::string composed = ComposedText(fixed);
    position = 0;
    while (NextCodePoint(composed, position, c))
        if (Windows1252Byte(c) >= 0 && c >= 0x20 && !IsTypable(c) &&
            std::find(typing.hardToType.begin(), typing.hardToType.end(), c) ==
                typing.hardToType.end())
            typing.hardToType.push_back(c);
    return typing;
}

const char* TypedInstead(char32_t hard)
{
    for (const Replacement& replacement : REPLACEMENTS)
        if (replacement.hard == hard)
            return replacement.typed;
    return nullptr;
}

std::string DescribeTypingFix(const std::string& answer, const AnswerTyping& typing)
{
    std::vector<std::string> reasons;
    if (typing.apostrophes)
        reasons.push_back(Count(typing.apostrophes,
                                u8"apostrophe typographique remplacée par ', que tapent les élèves",
                                u8"apostrophes typographiques remplacées par ', que tapent les "
                                u8"élèves"));
    if (typing.spaces)
        reasons.push_back(Count(typing.spaces,
                                u8"espace insécable ou spéciale remplacée par une espace "
                                u8"ordinaire, la seule que tapent les élèves",
                                u8"espaces insécables ou spéciales remplacées par des espaces "
                                u8"ordinaires, les seules que tapent les élèves"));
    if (typing.invisibles)
        reasons.push_back(Count(typing.invisibles,
                                u8"caractère invisible retiré (espace sans largeur, trait "
                                u8"d'union conditionnel...)",
                                u8"caractères invisibles retirés (espaces sans largeur, traits "
                                u8"d'union conditionnels...)"));
    if (typing.trimmed)
        reasons.push_back(Count(typing.trimmed,
                                u8"espace retirée au bord de la réponse : le lecteur ôte celles "
                                u8"que tapent les élèves, pas celles de la réponse attendue",
                                u8"espaces retirées aux bords de la réponse : le lecteur ôte "
                                u8"celles que tapent les élèves, pas celles de la réponse "
                                u8"attendue"));
    std::string text = Quoted(answer) + u8" devient " + Quoted(typing.fixed) + " (";
    for (size_t i = 0; i < reasons.size(); ++i)
        text += (i ? " ; " : "") + reasons[i];
    return text + ")";
}

std::string DescribeHardCharacter(const std::string& fixedAnswer, char32_t hard)
{
    const char* typed = TypedInstead(hard);
    const std::string character = Utf8(hard);
    std::string asTyped;
    size_t position = 0;
    char32_t c;
    while (NextCodePoint(fixedAnswer, position, c)) {
        if (c == hard)
            asTyped += typed ? typed : "";
        else
            AppendUtf8(asTyped, c);
    }
    const std::string stored = Windows1252(fixedAnswer);
    const char* verdict = GradeAnswer(stored.c_str(), Windows1252(asTyped).c_str());
    std::string graded = u8"que le lecteur note " + Windows1252ToUtf8(verdict);
    if (strcmp(verdict, VERDICT_BRAVO) != 0)
        graded += ", pas BRAVO";
    const std::string everywhere = u8" (de même dans les autres réponses qui l'ont)";

    if (!typed)
        return Quoted(character) +
               u8" ne se tape pas au clavier AZERTY : les élèves ne pourront pas écrire cette "
               u8"réponse telle quelle (sans lui : " +
               Quoted(asTyped) + ", " + graded + u8") ; retirez-le" + everywhere;
    if (!*typed)
        return Quoted(character) + u8" se tape mal au clavier AZERTY : les élèves l'omettront : " +
               Quoted(asTyped) + ", " + graded + u8" ; retirez-le pour l'accepter" + everywhere;
    return Quoted(character) + u8" se tape mal au clavier AZERTY : les élèves écriront plutôt " +
           Quoted(asTyped) + ", " + graded + u8" ; écrivez " + Quoted(asTyped) +
           u8" pour l'accepter" + everywhere;
}
