#include "authoring/source/source_reader.h"

#include "authoring/source/name_suggestion.h"
#include "authoring/source/quiz_field_table.h"
#include "authoring/source/source_escapes.h"
#include "authoring/source/source_writer.h"
#include "authoring/source/toml_mistakes.h"
#include "authoring/source/toml_scan.h"
#include "quiz/quiz_record.h"
#include "quiz/text_encoding.h"

#define TOML_EXCEPTIONS 0
#include <toml++/toml.h>

#include <algorithm>

namespace {

// The quiz's fields, and its questions.
const std::vector<std::string>& RootKeys()
{
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> all;
        for (const QuizFieldRow& row : QUIZ_FIELDS)
            all.push_back(row.key);
        all.push_back(KEY_QUESTION);
        return all;
    }();
    return keys;
}

const std::vector<std::string>& QuestionKeys()
{
    static const std::vector<std::string> keys = {KEY_ANSWER,        KEY_SECOND_ANSWER,
                                                  KEY_QUESTION_TEXT, KEY_REVEAL_TEXT,
                                                  KEY_PICTURE,       KEY_SOUND,
                                                  KEY_FILM,          KEY_REVEAL_PICTURE,
                                                  KEY_OTHER_ANSWERS, KEY_OTHER_SECOND_ANSWERS};
    return keys;
}

SourcePlace PlaceOf(const toml::source_region& region)
{
    return {static_cast<int>(region.begin.line), static_cast<int>(region.begin.column)};
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
    const std::string& text;
    std::vector<EscapeFinding> findings; // told with the subject of their value

    // The findings about the value at place, told now; a meant path replaces
    // what toml++ read. Findings are in the text's order, values in any.
    void TellFindings(SourcePlace place, const std::string& subject, SourceText& value)
    {
        auto before = [](const EscapeFinding& finding, SourcePlace at) {
            return std::make_pair(finding.value.line, finding.value.column) <
                   std::make_pair(at.line, at.column);
        };
        for (auto finding = std::lower_bound(findings.begin(), findings.end(), place, before);
             finding != findings.end() && finding->value.line == place.line &&
             finding->value.column == place.column;
             ++finding) {
            if (finding->told)
                continue;
            if (finding->meantPath && value.present)
                value.value = finding->path;
            problems.push_back(finding->problem);
            problems.back().subject = subject;
            finding->told = true;
        }
    }

    // What no value claimed (a key's quotes, an unknown key's value).
    void TellOtherFindings()
    {
        for (EscapeFinding& finding : findings)
            if (!finding.told)
                problems.push_back(finding.problem);
        findings.clear();
    }

    // The value's own text, when it stands on one line.
    std::string RawText(const toml::node& node) const
    {
        const toml::source_region& region = node.source();
        if (region.begin.line != region.end.line)
            return "";
        const size_t begin = OffsetOfPlace(text, PlaceOf(region));
        const size_t end = OffsetOfPlace(
            text, {static_cast<int>(region.end.line), static_cast<int>(region.end.column)});
        if (begin == std::string::npos || end == std::string::npos || end < begin)
            return "";
        return text.substr(begin, end - begin);
    }

    void Report(SourcePlace place, const std::string& subject, const std::string& message)
    {
        problems.push_back({place, subject, message});
    }

    void ReportUnknownKeys(const toml::table& table, const std::string& prefix, bool inQuestion)
    {
        for (auto&& [key, node] : table) {
            (void)node;
            const std::string name(key.str());
            const std::vector<std::string>& here = inQuestion ? QuestionKeys() : RootKeys();
            const std::vector<std::string>& other = inQuestion ? RootKeys() : QuestionKeys();
            if (std::find(here.begin(), here.end(), name) != here.end())
                continue;
            std::string message = u8"clé inconnue";
            std::string meant = NearestName(name, here);
            const std::string elsewhere = NearestName(name, other);
            if (!elsewhere.empty() && FoldedName(name) == elsewhere)
                meant.clear();
            if (!meant.empty())
                message += u8" : vouliez-vous dire " + Quoted(meant) + " ?";
            else if (!elsewhere.empty() && !inQuestion)
                message += u8" ici : " + Quoted(elsewhere) + u8" s'écrit dans un bloc [[question]]";
            else if (!elsewhere.empty())
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
            TellFindings(text.place, subject, text);
            return;
        }
        text.wrongType = true;
        std::string message =
            u8"doit être un texte entre guillemets, pas " + std::string(TypeName(*node));
        const std::string raw = node->is_value() ? RawText(*node) : "";
        if (!raw.empty())
            message += u8" : écrivez " + std::string(key) + " = " + TomlString(raw);
        Report(text.place, subject, message);
    }

    void Header(const toml::table& root)
    {
        const SourcePlace top = {1, 1};
        for (const QuizFieldRow& row : QUIZ_FIELDS)
            if (row.text)
                Text(root, row.key, row.key, top, source.*row.text, row.missing);

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

        AnswersPerQuestion(root);
        for (const QuizFieldRow& row : QUIZ_FIELDS)
            if (row.flag)
                Flag(root, row.key, source.*row.flag);

        SourceText colour;
        Text(root, KEY_COLOUR, KEY_COLOUR, top, colour);
        source.colourPlace = colour.place;
        if (colour.present && !ParseColour(colour.value, source.colour))
            Report(colour.place, KEY_COLOUR,
                   Quoted(colour.value) + u8" : écrivez la couleur \"#RRVVBB\", en hexadécimal "
                                          u8"(rouge, vert, bleu), par exemple \"#FFE4B5\"");
    }

    // Absent, the questions tell: two when one has a second answer.
    void AnswersPerQuestion(const toml::table& root)
    {
        source.answersPlace = {1, 1};
        const toml::node* node = root.get(KEY_ANSWER_COUNT);
        if (!node)
            return;
        source.answersPlace = PlaceOf(node->source());
        const auto* count = node->as_integer();
        if (count && (count->get() == 1 || count->get() == 2)) {
            source.answersPerQuestion = static_cast<int>(count->get());
            return;
        }
        Report(source.answersPlace, KEY_ANSWER_COUNT,
               u8"doit être 1 ou 2, sans guillemets : le nombre de réponses que le lecteur "
               u8"demande à chaque question");
    }

    void Flag(const toml::table& root, const char* key, SourceFlag& flag)
    {
        flag.place = {1, 1};
        const toml::node* node = root.get(key);
        if (!node)
            return;
        flag.place = PlaceOf(node->source());
        if (const auto* value = node->as_boolean()) {
            flag.value = value->get();
            flag.present = true;
            return;
        }
        Report(flag.place, key,
               u8"doit être true (la règle s'applique) ou false (elle ne s'applique pas), sans "
               u8"guillemets, pas " +
                   std::string(TypeName(*node)) + u8" : écrivez " + key + " = true");
    }

    // A list of texts, each kept with its place; a lone text is taken as a
    // list of one, as a teacher with a single other spelling may write it.
    void Texts(const toml::table& table, const char* key, const std::string& subject,
               std::vector<SourceText>& texts)
    {
        const toml::node* node = table.get(key);
        if (!node)
            return;
        if (node->is_string()) {
            texts.emplace_back();
            Text(table, key, subject, PlaceOf(node->source()), texts.back());
            return;
        }
        const toml::array* list = node->as_array();
        if (!list) {
            Report(PlaceOf(node->source()), subject,
                   u8"doit être une liste de textes, par exemple " + std::string(key) +
                       u8" = [\"Tamise\", \"la Tamise\"], pas " + TypeName(*node));
            return;
        }
        for (size_t i = 0; i < list->size(); ++i) {
            const toml::node& element = *list->get(i);
            SourceText text;
            text.place = PlaceOf(element.source());
            if (const auto* value = element.as_string()) {
                text.value = value->get();
                text.present = true;
                TellFindings(text.place, subject, text);
                texts.push_back(text);
            } else {
                Report(text.place, subject,
                       u8"chaque réponse acceptée est un texte entre guillemets, pas " +
                           std::string(TypeName(element)));
            }
        }
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
                TellFindings(code.place, "codes, code " + std::to_string(i + 1), code);
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
        Texts(table, KEY_OTHER_ANSWERS, prefix + KEY_OTHER_ANSWERS, question.otherAnswers);
        Texts(table, KEY_OTHER_SECOND_ANSWERS, prefix + KEY_OTHER_SECOND_ANSWERS,
              question.otherSecondAnswers);
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
    Problem stray;
    if (FindStrayCharacter(text, stray)) {
        problems.push_back(stray);
        return false;
    }
    Reader reader = {source, problems, text, {}};
    const std::string mended = MendBackslashes(text, reader.findings);
    toml::parse_result parsed = toml::parse(std::string_view(mended), std::string_view());
    if (!parsed) {
        reader.TellOtherFindings();
        problems.push_back(ExplainTomlError(text, std::string(parsed.error().description()),
                                            PlaceOf(parsed.error().source())));
        SortProblems(problems);
        return false;
    }
    const toml::table& root = parsed.table();
    reader.ReportUnknownKeys(root, "", false);
    reader.Header(root);
    reader.Codes(root);
    reader.Questions(root);
    reader.TellOtherFindings();
    SortProblems(problems);
    return true;
}
