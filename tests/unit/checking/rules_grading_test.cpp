#include "checking/rule_folding.h"
#include "checking/rules_grading.h"
#include "checking/verdict.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr AnswerRules NONE = {};
constexpr AnswerRules ACCENTS = {true, false, false, false};
constexpr AnswerRules ARTICLES = {false, true, false, false};
constexpr AnswerRules HYPHENS = {false, false, true, false};
constexpr AnswerRules CAPITALS = {false, false, false, true};
constexpr AnswerRules ACCENTS_ARTICLES = {true, true, false, false};
constexpr AnswerRules ALL = {true, true, true, true};

std::string Text(const char* text)
{
    return text ? text : "(none)";
}

} // namespace

TEST(FoldByRules, TakesOutWhatEachRuleForgives)
{
    const struct {
        AnswerRules rules;
        const char *text, *folded;
    } cases[] = {
        {NONE, " le  Mont-Blanc ", " le  Mont-Blanc "},
        {HYPHENS, " le  Mont-Blanc ", "le Mont Blanc"},
        {HYPHENS, "--a--b--", "a b"},
        {HYPHENS, " - ", ""},
        {ACCENTS,
         "\xE9l\xE8ve \xEAtre No\xEBl \xE0 \xE2 \xE4 \xE7"
         "a \xEE\xEF \xF4\xF6 \xF9\xFB\xFC \xFF",
         "eleve etre Noel a a a ca ii oo uuu y"},
        {ACCENTS, "\xC9\xC8\xCA\xCB \xC0\xC2\xC4 \xC7 \xCE\xCF \xD4\xD6 \xD9\xDB\xDC \x9F",
         "EEEE AAA C II OO UUU Y"},
        {ACCENTS, "c\x9Cur \x8Cuvre \xE6 \xC6", "coeur OEuvre ae AE"},
        {ACCENTS, "\xE1\xED\xF3\xFA\xF1\xE3\xF5\xE5\xFD \x8A\x9A\x8E\x9E", "aiounaoay SsZz"},
        // Letters of their own, signs and bytes with no character stay.
        {ACCENTS, "\xF8\xD8\xDF\xF0\xFE\xD7\xF7\x80\x81\x92\xA0\xB5",
         "\xF8\xD8\xDF\xF0\xFE\xD7\xF7\x80\x81\x92\xA0\xB5"},
        {ARTICLES, "le Mont Blanc", "Mont Blanc"},
        {ARTICLES, "  La  tour", "tour"},
        {ARTICLES, "LES Alpes", "Alpes"},
        {ARTICLES, "l'Italie", "Italie"},
        {ARTICLES, "L\x92Italie", "Italie"},
        {ARTICLES, "l' Italie", "Italie"},
        {ARTICLES, "un chat", "chat"},
        {ARTICLES, "une pomme", "pomme"},
        {ARTICLES, "des pommes", "pommes"},
        {ARTICLES, "du pain", "pain"},
        {ARTICLES, "de la farine", "farine"},
        {ARTICLES, "de l'eau", "eau"},
        {ARTICLES,
         "De L\x92"
         "eau",
         "eau"},
        // Only one, only at the start, only a whole word.
        {ARTICLES, "la la", "la"},
        {ARTICLES, "de Gaulle", "de Gaulle"},
        {ARTICLES, "Lens", "Lens"},
        {ARTICLES, "lesbos", "lesbos"},
        {ARTICLES, "Paris, la ville", "Paris, la ville"},
        // An article alone is the answer.
        {ARTICLES, "la", "la"},
        {ARTICLES, "la ", "la "},
        {ARTICLES, "l'", "l'"},
        {ACCENTS_ARTICLES, "le ch\xE2teau de Versailles", "chateau de Versailles"},
        {ALL, "  L\x92\xCEle-de-France", "Ile de France"},
        {CAPITALS, "  Paris ", "  Paris "},
    };
    for (const auto& c : cases) {
        char folded[TEXT_SIZE];
        FoldByRules(c.rules, c.text, folded);
        EXPECT_STREQ(folded, c.folded) << c.text;
    }
}

TEST(FoldByRules, ReadsAndWrites259BytesAtMost)
{
    // Unterminated at the end of its block: a read past byte 259 shows under
    // the sanitizers. Each œ becomes two letters, cut at 259.
    const std::vector<char> text(MAX_TEXT_LENGTH, '\x9C');
    char folded[TEXT_SIZE];
    FoldByRules(ALL, text.data(), folded);
    std::string expected;
    while (expected.size() < static_cast<size_t>(MAX_TEXT_LENGTH))
        expected += "oe";
    expected.resize(MAX_TEXT_LENGTH);
    EXPECT_EQ(std::string(folded), expected);
}

// The answers, each rule alone and together, as the note gives them.
TEST(GradeByRules, GradesTheTeachersAnswersUnderEachRule)
{
    const AnswerRules rules[] = {NONE, ACCENTS, ARTICLES, HYPHENS, CAPITALS, ACCENTS_ARTICLES, ALL};
    const struct {
        const char *stored, *typed;
        const char* verdicts[7];
    } cases[] = {
        {"le Mont Blanc",
         "mont blanc",
         {"Trop court", "Trop court", "BRAVO", "Trop court", "Trop court", "BRAVO", "Quasiment"}},
        {"l'Italie",
         "Italie",
         {"Presque", "Presque", "BRAVO", "Presque", "Presque", "BRAVO", "BRAVO"}},
        {"la tour Eiffel",
         "tour eiffel",
         {"Trop court", "Trop court", "BRAVO", "Trop court", "Trop court", "BRAVO", "Quasiment"}},
        {"le Mont Blanc",
         "Mont-Blanc",
         {"FAUX", "FAUX", "Quasiment", "Trop court", "FAUX", "Quasiment", "BRAVO"}},
        {"le ch\xE2teau de Versailles",
         "chateau de versailles",
         {"yade lid\xE9"
          "e",
          "Trop court", "Quasiment",
          "yade lid\xE9"
          "e",
          "yade lid\xE9"
          "e",
          "BRAVO", "Quasiment"}},
        // Two letters short of "Versailles": near, but two letters.
        {"le ch\xE2teau de Versailles",
         "chateau de versaile",
         {"FAUX", "FAUX",
          "yade lid\xE9"
          "e",
          "FAUX", "FAUX", "Presque", "Presque"}},
        {"le ch\xE2teau de Versailles",
         "chateau de Versaille",
         {"FAUX", "Trop court", "Presque", "FAUX", "FAUX", "Quasiment", "Quasiment"}},
    };
    for (const auto& c : cases)
        for (int r = 0; r < 7; ++r)
            EXPECT_EQ(Text(GradeByRules(rules[r], c.stored, c.typed)), c.verdicts[r])
                << c.stored << " / " << c.typed << " under rules " << r;
}

TEST(GradeByRules, GradesEachRuleAloneAndTogether)
{
    const struct {
        AnswerRules rules;
        const char *stored, *typed, *verdict;
    } cases[] = {
        // Accents: both sides, capitals alike, ligatures as two letters.
        {ACCENTS, "\xE9l\xE9phant", "elephant", "BRAVO"},
        {ACCENTS, "elephant", "\xE9l\xE9phant", "BRAVO"},
        {ACCENTS, "\xC9l\xE9phant", "ELEPHANT", "BRAVO"},
        {ACCENTS, "c\x9Cur", "coeur", "BRAVO"},
        {ACCENTS, "c\x9Cur", "cour", "Quasiment"},
        {ACCENTS, "\xE9l\xE9phant", "elephan", "Quasiment"},
        {NONE, "\xE9l\xE9phant", "elephant", "Presque"},
        {NONE, "c\x9Cur", "coeur", "Presque"},
        // Articles: in the answer, in what is typed, or both.
        {ARTICLES, "Italie", "l'Italie", "BRAVO"},
        {ARTICLES, "l'Italie", "L\x92Italie", "BRAVO"},
        {ARTICLES, "la Tamise", "le Tamise", "BRAVO"},
        {ARTICLES, "la", "la", "BRAVO"},
        {ARTICLES, "la", "le", "Quasiment"},
        {ARTICLES, "Lens", "ens", "Quasiment"},
        // Hyphens and spaces.
        {HYPHENS, "Mont-Blanc", "Mont   Blanc", "BRAVO"},
        {HYPHENS, "Saint  Malo", "saint-malo", "BRAVO"},
        {HYPHENS, "Mont-Blanc", "MontBlanc", "Quasiment"},
        {NONE, "Mont-Blanc", "Mont Blanc", "Quasiment"},
        // Capitals: a box right but for its capitals is Quasiment; everything
        // else is graded as without the rule.
        {CAPITALS, "Paris", "Paris", "BRAVO"},
        {CAPITALS, "Paris", "  Paris  ", "BRAVO"},
        {CAPITALS, "Paris", "paris", "Quasiment"},
        {CAPITALS, "Paris", "PARIS", "Quasiment"},
        {CAPITALS, "Paris", "Pari", "Quasiment"},
        {CAPITALS, "Paris", "Rome", "FAUX"},
        {CAPITALS, "Paris", "", "?"},
        {NONE, "Paris", "PARIS", "BRAVO"},
        // Together.
        {ALL, "l'\xCEle-de-France", "Ile de France", "BRAVO"},
        {ALL, "l'\xCEle-de-France", "ile de france", "Quasiment"},
        {ALL, "le Mont-Blanc", "  Mont   Blanc ", "BRAVO"},
        {ALL, "le Mont-Blanc", "", "?"},
        {ALL, "le Mont-Blanc", " - ", "?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(GradeByRules(c.rules, c.stored, c.typed)), c.verdict)
            << c.stored << " / " << c.typed;
}

TEST(GradeBoxByRules, TakesTheBestSpellingInTheStatedOrder)
{
    const std::vector<std::string> thames = {"Tamise", "la Tamise"};
    const std::vector<std::string> near = {"abcdefgh", "bacdefghij", "abcdefghijk"};
    const std::vector<std::string> shuffled = {"acbdefghij", "abcdefghijk"};
    const struct {
        AnswerRules rules;
        const char* stored;
        const std::vector<std::string>* alternatives;
        const char *typed, *verdict;
        int spelling;
    } cases[] = {
        {NONE, "Thames", &thames, "tamise", "BRAVO", 0},
        {NONE, "Thames", &thames, "LA TAMISE", "BRAVO", 1},
        {NONE, "Thames", &thames, "thames", "BRAVO", -1},
        {NONE, "Thames", &thames, "tamis", "Quasiment", 0},
        {NONE, "Thames", &thames, "la tamis", "Quasiment", 1},
        {NONE, "Thames", &thames, "Rome", "FAUX", -1},
        {NONE, "Thames", nullptr, "tamise", "FAUX", -1},
        {NONE, "Thames", &thames, "", "?", -1},
        // Ties keep the first; each better verdict displaces the one before.
        {NONE, "abcdefghij", &near, "abcdefghij", "BRAVO", -1},
        {NONE, "zzzzzzzzzz", &near, "abcdefghi", "Quasiment", 0},
        {NONE, "zzzzzzzzzz", &near, "abcdefghijkl", "Quasiment", 2},
        {NONE, "zzzzzzzzzz", &near, "bacdefghij", "BRAVO", 1},
        {NONE, "zzzzzzzzzz", &near, "acbdefghij", "Anagramme", 1},
        // One letter to fix is nearer than letters in another order.
        {NONE, "zzzzzzzzzz", &shuffled, "abcdefghij", "Quasiment", 1},
        {ARTICLES, "Thames", &thames, "Tamise", "BRAVO", 0},
        {CAPITALS, "Thames", &thames, "tamise", "Quasiment", 0},
    };
    for (const auto& c : cases) {
        const BoxMatch match = GradeBoxByRules(c.rules, c.stored, c.alternatives, c.typed);
        EXPECT_EQ(Text(match.verdict), c.verdict) << c.typed;
        EXPECT_EQ(match.spelling, c.spelling) << c.typed;
    }
}
