#include "authoring/source_reader.h"

#include "authoring/text_encoding.h"
#include "quiz/quiz_record.h"

#define TOML_EXCEPTIONS 0
#include <toml++/toml.h>

#include <algorithm>
#include <cstring>

namespace {

const char* const ROOT_KEYS[] = {KEY_TITLE,  KEY_AUTHOR,   KEY_EXPLANATIONS,  KEY_LAYOUT,
                                 KEY_REVEAL, KEY_COLOUR,   KEY_FIRST_CAPTION, KEY_SECOND_CAPTION,
                                 KEY_CODES,  KEY_QUESTION, KEY_ICON};
const char* const QUESTION_KEYS[] = {KEY_ANSWER,      KEY_SECOND_ANSWER, KEY_QUESTION_TEXT,
                                     KEY_REVEAL_TEXT, KEY_PICTURE,       KEY_SOUND,
                                     KEY_FILM,        KEY_REVEAL_PICTURE};

SourcePlace PlaceOf(const toml::source_region& region)
{
    return {static_cast<int>(region.begin.line), static_cast<int>(region.begin.column)};
}

// Lower case without the accents of French letters, to match what was meant.
std::string Folded(const std::string& key)
{
    static const struct {
        char32_t from;
        char to;
    } ACCENTS[] = {{0xE0, 'a'}, {0xE2, 'a'}, {0xE4, 'a'}, {0xE7, 'c'}, {0xE8, 'e'},
                   {0xE9, 'e'}, {0xEA, 'e'}, {0xEB, 'e'}, {0xEE, 'i'}, {0xEF, 'i'},
                   {0xF4, 'o'}, {0xF6, 'o'}, {0xF9, 'u'}, {0xFB, 'u'}, {0xFC, 'u'}};
    std::string folded;
    size_t position = 0;
    char32_t c;
    while (NextCodePoint(key, position, c)) {
        if (c >= 'A' && c <= 'Z')
            c = c - 'A' + 'a';
        if (c >= 0xC0 && c <= 0xDE)
            c += 0x20;
        for (const auto& accent : ACCENTS)
            if (accent.from == c)
                c = accent.to;
        if (c == ' ' || c == '-')
            c = '_';
        AppendUtf8(folded, c);
    }
    return folded;
}

size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The known key closest to an unknown one, or nullptr when none is close.
template <size_t N> const char* Nearest(const std::string& key, const char* const (&known)[N])
{
    const std::string folded = Folded(key);
    const char* best = nullptr;
    size_t bestDistance = folded.size() / 3 + 1;
    for (const char* candidate : known) {
        const size_t distance = EditDistance(folded, candidate);
        if (distance < bestDistance)
            best = candidate, bestDistance = distance;
    }
    return best;
}

template <size_t N> bool Known(const std::string& key, const char* const (&known)[N])
{
    return std::any_of(std::begin(known), std::end(known), [&](const char* k) { return key == k; });
}

const char* TypeName(const toml::node& node)
{
    switch (node.type()) {
    case toml::node_type::string:
        return "un texte";
    case toml::node_type::integer:
        return "un nombre entier";
    case toml::node_type::floating_point:
        return u8"un nombre à virgule";
    case toml::node_type::boolean:
        return u8"un booléen (true ou false)";
    case toml::node_type::array:
        return "une liste";
    case toml::node_type::table:
        return "une table";
    default:
        return "une date";
    }
}

struct Reader {
    QuizSource& source;
    std::vector<Problem>& problems;

    void Report(SourcePlace place, const std::string& subject, const std::string& message)
    {
        problems.push_back({place, subject, message});
    }

    void ReportUnknownKeys(const toml::table& table, const std::string& prefix, bool inQuestion)
    {
        for (auto&& [key, node] : table) {
            (void)node;
            const std::string name(key.str());
            if (inQuestion ? Known(name, QUESTION_KEYS) : Known(name, ROOT_KEYS))
                continue;
            std::string message = u8"clé inconnue";
            const char* meant =
                inQuestion ? Nearest(name, QUESTION_KEYS) : Nearest(name, ROOT_KEYS);
            const char* elsewhere =
                inQuestion ? Nearest(name, ROOT_KEYS) : Nearest(name, QUESTION_KEYS);
            if (elsewhere && Folded(name) == elsewhere)
                meant = nullptr;
            if (meant)
                message += u8" : vouliez-vous dire " + Quoted(meant) + " ?";
            else if (elsewhere && !inQuestion)
                message += u8" ici : " + Quoted(elsewhere) + u8" s'écrit dans un bloc [[question]]";
            else if (elsewhere)
                message += u8" dans une question : " + Quoted(elsewhere) +
                           u8" s'écrit en tête du fichier, avant le premier [[question]]";
            Report(PlaceOf(key.source()), prefix + name, message);
        }
    }

    // A text value. Absent: reported when a missing message is given.
    void Text(const toml::table& table, const char* key, const std::string& subject,
              SourcePlace tablePlace, SourceText& text, const char* missing = nullptr)
    {
        text.place = tablePlace;
        const toml::node* node = table.get(key);
        if (!node) {
            if (missing)
                Report(tablePlace, subject, missing);
            return;
        }
        text.place = PlaceOf(node->source());
        if (const auto* value = node->as_string()) {
            text.value = value->get();
            text.present = true;
            return;
        }
        text.wrongType = true;
        std::string message =
            u8"doit être un texte entre guillemets, pas " + std::string(TypeName(*node));
        if (const auto* number = node->as_integer())
            message +=
                u8" : écrivez " + std::string(key) + " = \"" + std::to_string(number->get()) + "\"";
        Report(text.place, subject, message);
    }

    void Header(const toml::table& root)
    {
        const SourcePlace top = {1, 1};
        Text(root, KEY_TITLE, KEY_TITLE, top, source.title,
             u8"manquant : chaque quiz a un titre (titre = \"...\")");
        Text(root, KEY_AUTHOR, KEY_AUTHOR, top, source.author);
        Text(root, KEY_EXPLANATIONS, KEY_EXPLANATIONS, top, source.explanations);
        Text(root, KEY_FIRST_CAPTION, KEY_FIRST_CAPTION, top, source.firstAnswerCaption);
        Text(root, KEY_SECOND_CAPTION, KEY_SECOND_CAPTION, top, source.secondAnswerCaption);
        Text(root, KEY_ICON, KEY_ICON, top, source.icon);

        SourceText layout;
        Text(root, KEY_LAYOUT, KEY_LAYOUT, top, layout,
             u8"manquante : écrivez disposition = \"texte\", \"image\", \"son\" ou \"video\"");
        source.layoutPlace = layout.place;
        if (layout.present) {
            source.layoutKind = LayoutFromName(layout.value);
            if (source.layoutKind < 0)
                Report(layout.place, KEY_LAYOUT,
                       Quoted(layout.value) +
                           u8" inconnue : écrivez \"texte\", \"image\", \"son\" ou \"video\"");
        }

        SourceText reveal;
        Text(root, KEY_REVEAL, KEY_REVEAL, top, reveal);
        source.revealPlace = reveal.place;
        source.revealMode = REVEAL_NONE;
        if (reveal.present) {
            const int mode = RevealFromName(reveal.value);
            if (mode < 0)
                Report(reveal.place, KEY_REVEAL,
                       Quoted(reveal.value) +
                           u8" inconnue : écrivez \"aucune\", \"image\" ou \"texte\"");
            else
                source.revealMode = mode;
        }

        SourceText colour;
        Text(root, KEY_COLOUR, KEY_COLOUR, top, colour);
        source.colourPlace = colour.place;
        if (colour.present && !ParseColour(colour.value, source.colour))
            Report(colour.place, KEY_COLOUR,
                   Quoted(colour.value) + u8" : écrivez la couleur \"#RRVVBB\", en hexadécimal "
                                          u8"(rouge, vert, bleu), par exemple \"#FFE4B5\"");
    }

    void Codes(const toml::table& root)
    {
        source.codesPlace = {1, 1};
        const toml::node* node = root.get(KEY_CODES);
        if (!node)
            return;
        source.codesPlace = PlaceOf(node->source());
        const toml::array* codes = node->as_array();
        if (!codes) {
            Report(source.codesPlace, KEY_CODES,
                   u8"doit être une liste de textes, par exemple codes = [\"UN\", \"DEUX\"], "
                   u8"pas " +
                       std::string(TypeName(*node)));
            return;
        }
        for (size_t i = 0; i < codes->size(); ++i) {
            const toml::node& element = *codes->get(i);
            SourceText code;
            code.place = PlaceOf(element.source());
            if (const auto* value = element.as_string()) {
                code.value = value->get();
                code.present = true;
            } else {
                Report(code.place, "codes, code " + std::to_string(i + 1),
                       u8"doit être un texte entre guillemets, pas " +
                           std::string(TypeName(element)));
            }
            source.codes.push_back(code);
        }
    }

    void Question(const toml::table& table, int number)
    {
        SourceQuestion question;
        question.place = PlaceOf(table.source());
        const std::string prefix = "question " + std::to_string(number) + ", ";
        ReportUnknownKeys(table, prefix, true);
        Text(table, KEY_ANSWER, prefix + KEY_ANSWER, question.place, question.answer,
             u8"manquante : chaque question a sa réponse (reponse = \"...\")");
        Text(table, KEY_SECOND_ANSWER, prefix + KEY_SECOND_ANSWER, question.place,
             question.secondAnswer);
        Text(table, KEY_QUESTION_TEXT, prefix + KEY_QUESTION_TEXT, question.place,
             question.questionText);
        Text(table, KEY_REVEAL_TEXT, prefix + KEY_REVEAL_TEXT, question.place, question.revealText);
        Text(table, KEY_PICTURE, prefix + KEY_PICTURE, question.place, question.picture);
        Text(table, KEY_SOUND, prefix + KEY_SOUND, question.place, question.sound);
        Text(table, KEY_FILM, prefix + KEY_FILM, question.place, question.film);
        Text(table, KEY_REVEAL_PICTURE, prefix + KEY_REVEAL_PICTURE, question.place,
             question.revealPicture);
        source.questions.push_back(question);
    }

    void Questions(const toml::table& root)
    {
        const toml::node* node = root.get(KEY_QUESTION);
        if (!node) {
            Report({1, 1}, "",
                   u8"aucune question : ajoutez au moins un bloc [[question]] avec sa réponse");
            return;
        }
        const toml::array* list = node->as_array();
        if (!list) {
            Report(PlaceOf(node->source()), KEY_QUESTION,
                   u8"chaque question s'écrit dans un bloc [[question]], avec deux crochets");
            return;
        }
        if (list->empty())
            Report(PlaceOf(node->source()), KEY_QUESTION,
                   u8"aucune question : ajoutez au moins un bloc [[question]] avec sa réponse");
        for (size_t i = 0; i < list->size(); ++i) {
            const toml::node& element = *list->get(i);
            if (const toml::table* table = element.as_table())
                Question(*table, static_cast<int>(i + 1));
            else
                Report(PlaceOf(element.source()), "question " + std::to_string(i + 1),
                       u8"doit être un bloc [[question]], pas " + std::string(TypeName(element)));
        }
    }
};

SourcePlace PlaceOfOffset(const std::string& text, size_t offset)
{
    SourcePlace place = {1, 1};
    for (size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n')
            place.line++, place.column = 1;
        else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            place.column++;
    }
    return place;
}

// The first byte of a character outside strings and comments that is not
// ASCII, or npos. TOML allows none there; the likely one is an accented key
// written without quotes, which deserves a clearer message than toml++'s.
size_t FindNonAsciiOutsideStrings(const std::string& text)
{
    const size_t size = text.size();
    size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; // a byte order mark
    auto skipTo = [&](const char* end, bool escapes) {
        const size_t length = strlen(end);
        while (i < size && text.compare(i, length, end) != 0) {
            if (length == 1 && text[i] == '\n')
                return;
            i += escapes && text[i] == '\\' ? 2 : 1;
        }
        i += length;
        // A multi-line string may end with one or two quotes of its own.
        for (int extra = 0; length == 3 && extra < 2 && i < size && text[i] == end[0]; ++extra)
            ++i;
    };
    while (i < size) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '#') {
            while (i < size && text[i] != '\n')
                ++i;
        } else if (text.compare(i, 3, "\"\"\"") == 0) {
            i += 3;
            skipTo("\"\"\"", true);
        } else if (text.compare(i, 3, "'''") == 0) {
            i += 3;
            skipTo("'''", false);
        } else if (c == '"') {
            ++i;
            skipTo("\"", true);
        } else if (c == '\'') {
            ++i;
            skipTo("'", false);
        } else if (c >= 0x80) {
            return i;
        } else {
            ++i;
        }
    }
    return std::string::npos;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool ParseColour(const std::string& text, uint32_t& colour)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    uint32_t rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            return false;
        rgb = rgb << 4 | static_cast<uint32_t>(digit);
    }
    colour = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
    return true;
}

bool ReadQuizSource(const std::string& text, QuizSource& source, std::vector<Problem>& problems)
{
    source = QuizSource();
    const size_t invalid = FindInvalidUtf8(text);
    if (invalid != std::string::npos) {
        problems.push_back({PlaceOfOffset(text, invalid), "",
                            u8"le fichier n'est pas en UTF-8 : enregistrez-le en UTF-8 dans "
                            u8"votre éditeur (les lettres accentuées y prennent deux octets)"});
        return false;
    }
    const size_t stray = FindNonAsciiOutsideStrings(text);
    if (stray != std::string::npos) {
        size_t end = stray;
        char32_t c;
        NextCodePoint(text, end, c);
        problems.push_back({PlaceOfOffset(text, stray), "",
                            u8"caractère « " + text.substr(stray, end - stray) +
                                u8" » hors des guillemets : les clés s'écrivent sans accents "
                                u8"(revelation, reponse), les textes entre guillemets"});
        return false;
    }
    toml::parse_result parsed = toml::parse(std::string_view(text), std::string_view());
    if (!parsed) {
        problems.push_back(
            {PlaceOf(parsed.error().source()), "",
             "syntaxe TOML incorrecte (" + std::string(parsed.error().description()) + ")"});
        return false;
    }
    const toml::table& root = parsed.table();
    Reader reader = {source, problems};
    reader.ReportUnknownKeys(root, "", false);
    reader.Header(root);
    reader.Codes(root);
    reader.Questions(root);
    SortProblems(problems);
    return true;
}
