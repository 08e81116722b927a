#include "tests/web/typed_pairs.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

// One character: its UTF-8, its Windows-1252 byte, its letter of the other
// case and its letter without accent (both 0: none).
struct Character {
    const char* utf8;
    unsigned char byte;
    const char* otherCase;
    const char* bare;
};

// Written with escapes so that the table is the same whatever the compiler
// makes of literals. Bytes from the Windows-1252 chart, not from the code.
const Character ACCENTED[] = {
    {"\xC3\xA9", 0xE9, "\xC3\x89", "e"},
    {"\xC3\xA8", 0xE8, "\xC3\x88", "e"},
    {"\xC3\xAA", 0xEA, nullptr, "e"},
    {"\xC3\xAB", 0xEB, nullptr, "e"},
    {"\xC3\xA0", 0xE0, "\xC3\x80", "a"},
    {"\xC3\xA2", 0xE2, nullptr, "a"},
    {"\xC3\xA7", 0xE7, "\xC3\x87", "c"},
    {"\xC3\xB4", 0xF4, nullptr, "o"},
    {"\xC3\xB9", 0xF9, nullptr, "u"},
    {"\xC3\xBB", 0xFB, nullptr, "u"},
    {"\xC3\xAF", 0xEF, nullptr, "i"},
    {"\xC3\xAE", 0xEE, nullptr, "i"},
    {"\xC3\xBC", 0xFC, nullptr, "u"},
    {"\xC5\x93", 0x9C, "\xC5\x92", nullptr},
    {"\xC3\x89", 0xC9, "\xC3\xA9", "E"},
    {"\xC3\x87", 0xC7, "\xC3\xA7", "C"},
    {"\xC5\x92", 0x8C, "\xC5\x93", nullptr},
    {"\xC3\xA6", 0xE6, nullptr, nullptr},
    {"\xC3\x88", 0xC8, "\xC3\xA8", "E"},
    {"\xC3\x80", 0xC0, "\xC3\xA0", "A"},
    {"\xC3\x9F", 0xDF, nullptr, nullptr},
    {"\xE2\x82\xAC", 0x80, nullptr, nullptr},
    {"\xE2\x80\x99", 0x92, nullptr, nullptr},
    {"\xC2\xAB", 0xAB, nullptr, nullptr},
    {"\xC2\xBB", 0xBB, nullptr, nullptr},
    {"\xC2\xA0", 0xA0, nullptr, nullptr}, // the no-break space, last
};

// Characters Windows-1252 lacks: an emoji (two UTF-16 units), Greek, the
// Hungarian double acute, a CJK ideograph, a combining-free Cyrillic letter.
const char* const OUTSIDE[] = {"\xF0\x9F\x98\x80", "\xCE\xB1",     "\xCE\xA9",
                               "\xC5\x91",         "\xE4\xB8\xAD", "\xD0\x96"};

// French words as teachers write answers, accents and articles included.
const char* const WORDS[] = {
    "\xC3\xA9l\xC3\xA9phant",
    "c\xC5\x93ur",
    "gar\xC3\xA7on",
    "ch\xC3\xA2teau",
    "No\xC3\xABl",
    "for\xC3\xAAt",
    "Paris",
    "Mont-Blanc",
    "la Seine",
    "l'\xC3\xA9t\xC3\xA9",
    "les Alpes",
    "un \xC5\x93uf",
    "photosynth\xC3\xA8se",
    "Z\xC3\xBCrich",
    "a",
    "ou",
    "Charlemagne",
    "anticonstitutionnellement",
    "de la farine",
    "du pain",
    "des \xC3\xA9toiles",
    "Saint-\xC3\x89tienne",
    "pr\xC3\xA9-requis",
    "quatre-vingt-dix",
    ("na\xC3\xAF"
     "f"), // the hex escape ended before the f
    "ma\xC3\xAEtre",
    "O'Brien",
    "3,14",
    "H2O",
    "\xC3\x89mile Zola",
    "Fran\xC3\xA7ois I",
    "l\xE2\x80\x99\xC3\xAEle",
};

const char* const ARTICLES[] = {"le ",  "la ",  "les ", "l'",     "un ",
                                "une ", "des ", "du ",  "de la ", "de l'"};

using Text = std::vector<Character>;

int Uniform(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool Chance(std::mt19937& random, int percent)
{
    return Uniform(random, 1, 100) <= percent;
}

Character Ascii(char c)
{
    static char storage[256][2];
    storage[static_cast<unsigned char>(c)][0] = c;
    return {storage[static_cast<unsigned char>(c)], static_cast<unsigned char>(c), nullptr,
            nullptr};
}

Character Outside(const char* utf8)
{
    return {utf8, '?', nullptr, nullptr};
}

// The characters of a UTF-8 text made of ASCII and the table's characters.
Text TextOf(const std::string& utf8)
{
    Text text;
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            text.push_back(Ascii(utf8[i++]));
            continue;
        }
        bool found = false;
        for (const Character& c : ACCENTED) {
            const std::string sequence = c.utf8;
            if (utf8.compare(i, sequence.size(), sequence) == 0) {
                text.push_back(c);
                i += sequence.size();
                found = true;
                break;
            }
        }
        if (!found)
            std::abort(); // a word above holds a character the table lacks
    }
    return text;
}

TypedText Joined(const Text& text)
{
    TypedText joined;
    for (const Character& c : text) {
        joined.utf8 += c.utf8;
        joined.bytes += static_cast<char>(c.byte);
    }
    return joined;
}

// A letter, digit or sign an answer may hold ('|' is the payload's
// separator, which no answer holds).
Character RandomCharacter(std::mt19937& random, bool outside)
{
    static const char ASCII_SET[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -'.,?";
    const int pick = Uniform(random, 0, 99);
    if (outside && pick < 4)
        return Outside(OUTSIDE[Uniform(random, 0, std::size(OUTSIDE) - 1)]);
    if (pick < 20)
        return ACCENTED[Uniform(random, 0, std::size(ACCENTED) - 1)];
    return Ascii(ASCII_SET[Uniform(random, 0, sizeof ASCII_SET - 2)]);
}

Text RandomText(std::mt19937& random, int length, bool outside)
{
    Text text;
    for (int i = 0; i < length; ++i)
        text.push_back(RandomCharacter(random, outside));
    return text;
}

Text RandomAnswer(std::mt19937& random)
{
    const int kind = Uniform(random, 0, 9);
    if (kind < 5)
        return TextOf(WORDS[Uniform(random, 0, std::size(WORDS) - 1)]);
    // Long answers, up to the 259 bytes a box keeps, for the pieces
    // (Trop court, pas loin) and the long comparisons.
    const int length = kind == 9 ? Uniform(random, 200, 259) : Uniform(random, 1, 40);
    Text text = RandomText(random, length, false);
    // An answer that begins or ends with a space is stored so; keep the
    // common case of words.
    if (text.front().byte == ' ')
        text.front() = Ascii('x');
    return text;
}

void ChangeCase(std::mt19937& random, Text& text)
{
    for (Character& c : text) {
        if (!Chance(random, 60))
            continue;
        if (c.byte < 0x80 && std::isalpha(c.byte))
            c = Ascii(static_cast<char>(std::isupper(c.byte) ? std::tolower(c.byte)
                                                             : std::toupper(c.byte)));
        else if (c.otherCase)
            c = TextOf(c.otherCase).front();
    }
}

void Edit(std::mt19937& random, Text& text)
{
    const int kind = Uniform(random, 0, 2);
    const int at = Uniform(random, 0, static_cast<int>(text.size()));
    if (kind == 0 || text.empty())
        text.insert(text.begin() + at, RandomCharacter(random, false));
    else if (kind == 1)
        text.erase(text.begin() + std::min(at, static_cast<int>(text.size()) - 1));
    else
        text[std::min(at, static_cast<int>(text.size()) - 1)] = RandomCharacter(random, false);
}

void StripAccents(Text& text)
{
    for (Character& c : text)
        if (c.bare)
            c = Ascii(c.bare[0]);
}

// What rules forgive: an article, hyphens and runs of spaces, accents.
Text RuleVariant(std::mt19937& random, const Text& answer)
{
    Text text = answer;
    switch (Uniform(random, 0, 3)) {
    case 0: {
        Text article = TextOf(ARTICLES[Uniform(random, 0, std::size(ARTICLES) - 1)]);
        text.insert(text.begin(), article.begin(), article.end());
        break;
    }
    case 1:
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i].byte == '-')
                text[i] = Ascii(' ');
            else if (text[i].byte == ' ' && Chance(random, 50))
                text.insert(text.begin() + static_cast<std::ptrdiff_t>(i++), Ascii(' '));
        break;
    case 2:
        StripAccents(text);
        break;
    default:
        ChangeCase(random, text);
        break;
    }
    return text;
}

Text Typed(std::mt19937& random, const Text& answer, const std::vector<Text>& alternatives,
           bool withRules)
{
    Text text = answer;
    const int kinds = withRules ? 22 : 19;
    switch (Uniform(random, 0, kinds - 1)) {
    case 0: // as stored
        break;
    case 1:
        ChangeCase(random, text);
        break;
    case 2: { // spaces around, which are trimmed
        Text spaces(Uniform(random, 1, 3), Ascii(' '));
        text.insert(text.begin(), spaces.begin(), spaces.end());
        text.insert(text.end(), spaces.begin(), spaces.end());
        break;
    }
    case 3:
        text.clear();
        break;
    case 4:
        text = Text(Uniform(random, 1, 4), Ascii(' '));
        break;
    case 5:
        std::shuffle(text.begin(), text.end(), random);
        break;
    case 6:
        Edit(random, text);
        break;
    case 7:
        Edit(random, text);
        Edit(random, text);
        break;
    case 8: // a piece of it, more or less than 70 %
    case 9:
        text.resize(std::max<size_t>(1, text.size() * Uniform(random, 45, 99) / 100));
        break;
    case 10: {
        Text more = RandomText(random, Uniform(random, 1, 8), false);
        text.insert(Chance(random, 50) ? text.end() : text.begin(), more.begin(), more.end());
        break;
    }
    case 11:
        text = RandomText(random, Uniform(random, 1, 30), true);
        break;
    case 12:
        StripAccents(text);
        break;
    case 13: // characters the player's box shows as "?"
        for (int i = Uniform(random, 1, 3); i > 0; --i)
            text.insert(text.begin() + Uniform(random, 0, static_cast<int>(text.size())),
                        Outside(OUTSIDE[Uniform(random, 0, std::size(OUTSIDE) - 1)]));
        break;
    case 14: // past the 259 bytes a box keeps
        while (text.size() < 300)
            text.push_back(RandomCharacter(random, Chance(random, 30)));
        break;
    case 15: // exactly 259, then one more
        text.resize(Uniform(random, 259, 260), Ascii('e'));
        break;
    case 16: { // a few letters changed in a long text
        for (int i = Uniform(random, 1, 1 + static_cast<int>(text.size()) / 6); i > 0; --i)
            Edit(random, text);
        break;
    }
    case 17: // spaces the trim leaves: a tab, a no-break space
        text.insert(text.begin(),
                    Chance(random, 50) ? Ascii('\t') : ACCENTED[std::size(ACCENTED) - 1]);
        break;
    case 18: // a "?" typed where the answer holds a character the box lacks, or the reverse
        for (Character& c : text)
            if (c.byte == '?')
                c = Outside(OUTSIDE[Uniform(random, 0, std::size(OUTSIDE) - 1)]);
        break;
    case 19:
        text = RuleVariant(random, answer);
        break;
    case 20:
        if (!alternatives.empty())
            text = alternatives[Uniform(random, 0, static_cast<int>(alternatives.size()) - 1)];
        break;
    default:
        if (!alternatives.empty())
            text = RuleVariant(
                random,
                alternatives[Uniform(random, 0, static_cast<int>(alternatives.size()) - 1)]);
        Edit(random, text);
        break;
    }
    return text;
}

} // namespace

TypedPair DrawPair(std::mt19937& random, bool withRules)
{
    const Text answer = RandomAnswer(random);
    std::vector<Text> alternatives;
    if (withRules && Chance(random, 50))
        for (int i = Uniform(random, 1, 3); i > 0; --i) {
            Text alternative =
                Chance(random, 50) ? RuleVariant(random, answer) : RandomAnswer(random);
            alternative.resize(std::min<size_t>(alternative.size(), 259));
            if (!alternative.empty())
                alternatives.push_back(alternative);
        }
    TypedPair pair;
    pair.answer = Joined(answer);
    for (const Text& alternative : alternatives)
        pair.alternatives.push_back(Joined(alternative).bytes);
    pair.typed = Joined(Typed(random, answer, alternatives, withRules));
    return pair;
}

AnswerRules DrawRules(std::mt19937& random)
{
    AnswerRules rules;
    do {
        rules.accentsOptional = Chance(random, 50);
        rules.articlesOptional = Chance(random, 50);
        rules.hyphensAsSpaces = Chance(random, 50);
        rules.capitalsRequired = Chance(random, 30);
    } while (!rules.Any());
    return rules;
}
