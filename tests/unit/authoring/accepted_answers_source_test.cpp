// The other spellings of an answer and the rules of accepted answers in a
// quiz source: read, checked, written, converted, built and extracted.
#include "tests/unit/authoring/source_fixture.h"

#include "authoring/packing/extraction.h"
#include "authoring/packing/quiz_resources.h"
#include "authoring/source/quiz_field_table.h"
#include "authoring/source/source_check.h"
#include "authoring/source/source_writer.h"
#include "authoring/source/starter_quiz.h"
#include "quiz/rules_payload.h"

#include <gtest/gtest.h>

namespace {

std::string Question(const std::string& answer, const std::string& extra)
{
    return "[[question]]\nreponse = \"" + answer + "\"\ntexte = \"q\"\n" + extra;
}

} // namespace

TEST(AcceptedAnswersSource, TellsEveryMistakeInFrench)
{
    const struct {
        const char* name;
        std::string text;
        std::string problems;
    } cases[] = {
        {"a rule misspelt, a rule as a text",
         QuizText("texte",
                  "accent_facultatifs = true\nmajuscules_exigees = \"oui\"\n" + Question("a", "")),
         u8"q.toml:3:1: accent_facultatifs : clé inconnue : vouliez-vous dire "
         u8"« accents_facultatifs » ?\n"
         u8"q.toml:4:22: majuscules_exigees : doit être true (la règle s'applique) ou false (elle "
         u8"ne s'applique pas), sans guillemets, pas un texte : écrivez majuscules_exigees = "
         u8"true\n"},
        {"alternatives misspelt, not a list, not texts",
         QuizText("texte", Question("a", "autre_reponses = [\"b\"]\n") +
                               Question("c", "autres_reponses = 3\n") +
                               Question("d", "autres_reponses = [\"e\", 2]\n")),
         u8"q.toml:6:1: question 1, autre_reponses : clé inconnue : vouliez-vous dire "
         u8"« autres_reponses » ?\n"
         u8"q.toml:10:19: question 2, autres_reponses : doit être une liste de textes, par "
         u8"exemple autres_reponses = [\"Tamise\", \"la Tamise\"], pas un nombre entier\n"
         u8"q.toml:14:25: question 3, autres_reponses : chaque réponse acceptée est un texte "
         u8"entre guillemets, pas un nombre entier\n"},
        {"written twice, the answer itself, empty: warnings, the quiz builds",
         QuizText("texte", Question("la Tamise", u8"autres_reponses = [\"Tamise\", \"LA TAMISE\", "
                                                 u8"\"tamise\", \"\"]\n")),
         u8"q.toml:6:30: attention : question 1, autres_reponses : « LA TAMISE » est déjà juste "
         u8": le lecteur l'accepte comme la réponse elle-même ; retirez-la\n"
         u8"q.toml:6:43: attention : question 1, autres_reponses : « tamise » est écrite deux "
         u8"fois parmi les réponses acceptées : retirez l'une des deux\n"
         u8"q.toml:6:53: attention : question 1, autres_reponses : une réponse acceptée vide ne "
         u8"sert à rien : retirez-la\n"},
        {"right already or twice under the quiz's rules",
         QuizText("texte",
                  "accents_facultatifs = true\narticles_facultatifs = true\n" +
                      Question(u8"le château de Versailles",
                               u8"autres_reponses = [\"chateau de Versailles\", \"Versailles\", "
                               u8"\"les Versailles\", \"Trianon\", \"Trïanon\"]\n")),
         u8"q.toml:8:20: attention : question 1, autres_reponses : « chateau de Versailles » "
         u8"est déjà juste : le lecteur l'accepte comme la réponse, avec les règles du quiz "
         u8"(accents facultatifs, articles facultatifs) ; retirez-la\n"
         u8"q.toml:8:59: attention : question 1, autres_reponses : « les Versailles » est "
         u8"écrite deux fois parmi les réponses acceptées : retirez l'une des deux\n"
         u8"q.toml:8:88: attention : question 1, autres_reponses : « Trïanon » est écrite deux "
         u8"fois parmi les réponses acceptées : retirez l'une des deux\n"},
        {"too long, not Windows-1252, the separator",
         QuizText("texte", Question("a", "autres_reponses = [\"" + Repeat("x", 260) +
                                             u8"\", \"☃\", \"b|c\"]\n")),
         u8"q.toml:6:20: question 1, autres_reponses : trop long : 260 caractères, le lecteur en "
         u8"garde 259 au plus\n"
         u8"q.toml:6:284: question 1, autres_reponses : caractère « ☃ » (U+2603) impossible en "
         u8"Windows-1252, l'alphabet du lecteur : remplacez-les par des lettres françaises "
         u8"ordinaires\n"
         u8"q.toml:6:289: question 1, autres_reponses : le caractère « | » est interdit : il "
         u8"sépare les textes dans le quiz\n"},
        {"more than the payload holds in a box",
         QuizText("texte", Question(
                               "a", "autres_reponses = [" +
                                        [] {
                                            std::string list;
                                            for (int i = 0; i < 33; ++i)
                                                list += "\"b" + std::to_string(i) + "\", ";
                                            return list;
                                        }() +
                                        "]\n")),
         u8"q.toml:6:234: question 1, autres_reponses : plus de 32 réponses acceptées pour une "
         u8"case : gardez les plus courantes\n"},
        {"second alternatives with one answer a question",
         QuizText("texte", Question("a", "autres_secondes_reponses = [\"b\"]\n") +
                               Question("c", "autres_secondes_reponses = [\"d\"]\n")),
         u8"q.toml:6:29: attention : question 1, autres_secondes_reponses : ne sert pas avec une "
         u8"seule réponse par question : le lecteur ne demande pas de seconde réponse (de même "
         u8"pour 1 autre question)\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithoutNotes(ProblemsOf(c.text, MEDIA)), c.problems) << c.name;
}

TEST(AcceptedAnswersSource, ConvertsToTheRulesTheBuildCarries)
{
    const struct {
        const char* name;
        std::string text;
        AnswerRules rules;
        std::vector<std::array<std::vector<std::string>, 2>> alternatives;
    } cases[] = {
        {"none", QuizText("texte", Question("a", "")), {}, {}},
        {"a lone spelling as a text",
         QuizText("texte", Question("Rome", "autres_reponses = \"Roma\"\n")),
         {},
         {{{{"Roma"}, {}}}}},
        {"every rule, false said as false",
         QuizText("texte", "accents_facultatifs = true\narticles_facultatifs = true\n"
                           "tirets_comme_espaces = true\nmajuscules_exigees = false\n" +
                               Question("a", "")),
         {true, true, true, false},
         {}},
        {"alternatives in Windows-1252, typing traps fixed, rows up to the last question with "
         "some, second boxes",
         QuizText("texte",
                  "reponses_par_question = 2\nmajuscules_exigees = true\n" +
                      Question("a", "seconde_reponse = \"b\"\n") +
                      Question("l'Italie", u8"seconde_reponse = \"Rome\"\nautres_reponses = "
                                           u8"[\"Italie\", \"l’italie\"]\n"
                                           u8"autres_secondes_reponses = [\"Rôme\"]\n") +
                      Question("c", "seconde_reponse = \"d\"\n")),
         {false, false, false, true},
         {{}, {{{"Italie", "l'italie"}, {"R\xF4me"}}}}},
    };
    for (const auto& c : cases) {
        QuizSource source;
        std::vector<Problem> problems;
        ASSERT_TRUE(ReadQuizSource(c.text, source, problems)) << c.name;
        QuizRecord record;
        QuizRules rules;
        EXPECT_TRUE(CheckQuizSource(source, record, rules, problems)) << c.name;
        EXPECT_EQ(rules.rules.accentsOptional, c.rules.accentsOptional) << c.name;
        EXPECT_EQ(rules.rules.articlesOptional, c.rules.articlesOptional) << c.name;
        EXPECT_EQ(rules.rules.hyphensAsSpaces, c.rules.hyphensAsSpaces) << c.name;
        EXPECT_EQ(rules.rules.capitalsRequired, c.rules.capitalsRequired) << c.name;
        EXPECT_EQ(rules.alternatives, c.alternatives) << c.name;
    }
}

// Written, read back, built, extracted and built again, the rules and
// alternatives stay; a quiz without them has no rules resource.
TEST(AcceptedAnswersSource, TravelThroughWritingBuildingAndExtraction)
{
    const struct {
        const char* name;
        std::string text;
        bool carried;
        const char* named; // the rules the check's summary names
    } cases[] = {
        {"without", QuizText("texte", Question("Paris", "")), false, ""},
        {"a rule alone",
         QuizText("texte", "articles_facultatifs = true\n" + Question("le Mont Blanc", "")), true,
         "articles facultatifs"},
        {"alternatives alone",
         QuizText("texte", Question("la Tamise", u8"autres_reponses = [\"Tamise\", \"Thames\"]\n") +
                               Question(u8"Mont-Blanc", "")),
         true, ""},
        {"rules and second alternatives",
         QuizText("texte",
                  "accents_facultatifs = true\ntirets_comme_espaces = true\n"
                  "reponses_par_question = 2\n" +
                      Question("a", u8"seconde_reponse = \"château\"\n"
                                    u8"autres_secondes_reponses = [\"castel\", \"donjon\"]\n")),
         true, "accents facultatifs, tirets comme espaces"},
    };
    for (const auto& c : cases) {
        QuizSource source;
        std::vector<Problem> problems;
        ASSERT_TRUE(ReadQuizSource(c.text, source, problems)) << c.name;
        const std::string written = WriteQuizSource(source, "q.toml");
        QuizSource reread;
        ASSERT_TRUE(ReadQuizSource(written, reread, problems)) << written;
        EXPECT_EQ(WriteQuizSource(reread, "q.toml"), written) << c.name;
        EXPECT_EQ(written.find("autres_reponses  les autres") != std::string::npos,
                  c.text.find("autres_") != std::string::npos)
            << written;

        std::vector<QuizResource> resources;
        ASSERT_EQ(WithoutNotes(ProblemsOf(written, MEDIA, &resources)), "") << c.name;
        const QuizResource* payload =
            FindResource(resources, PAYLOAD_RESOURCE_TYPE, RULES_RESOURCE);
        ASSERT_EQ(payload != nullptr, c.carried) << c.name;
        const std::string summary = DescribeQuiz(source, resources);
        EXPECT_EQ(summary.find(u8"règles") != std::string::npos, *c.named != '\0') << summary;
        if (*c.named) {
            EXPECT_NE(summary.find(std::string(u8", règles : ") + c.named + ","), std::string::npos)
                << summary;
        }
        QuizRecord record;
        QuizRules rules;
        CheckQuizSource(source, record, rules, problems);
        QuizRules carried;
        if (payload) {
            ASSERT_TRUE(ParseRulesPayload(payload->data.data(),
                                          static_cast<uint32_t>(payload->data.size()), carried));
            EXPECT_EQ(carried.alternatives, rules.alternatives) << c.name;
            EXPECT_EQ(carried.rules.accentsOptional, rules.rules.accentsOptional) << c.name;
            EXPECT_EQ(carried.rules.articlesOptional, rules.rules.articlesOptional) << c.name;
        }

        QuizSource extracted;
        std::vector<MediaFile> files;
        std::string error;
        ASSERT_TRUE(ExtractQuizSource(resources, extracted, files, error)) << error;
        std::vector<QuizResource> rebuilt;
        EXPECT_EQ(ProblemsOf(WriteQuizSource(extracted, "q.toml"), MEDIA, &rebuilt), "") << c.name;
        EXPECT_EQ(rebuilt, resources) << c.name;
        EXPECT_EQ(ResourcesInUse(resources, extracted), resources) << c.name;
    }
}

// quizzpack new's template shows every rule, off, with its explanation, and
// an alternative spelling, and builds as it is.
TEST(AcceptedAnswersSource, TheTemplateShowsEachRuleAndAnAlternative)
{
    for (int layout = LAYOUT_TEXT; layout <= LAYOUT_VIDEO; ++layout) {
        QuizSource source;
        std::vector<MediaFile> media;
        StarterQuiz(layout, source, media);
        const std::string text = WriteQuizSource(source, "q.toml");
        for (const QuizFieldRow& row : QUIZ_FIELDS)
            if (row.flag) {
                EXPECT_NE(
                    text.find(std::string("# ") + row.explanation + ".\n" + row.key + " = false\n"),
                    std::string::npos)
                    << layout << " " << row.key;
            }
        EXPECT_NE(text.find("\nautres_reponses = [\""), std::string::npos) << layout;
        MediaFiles files;
        for (const MediaFile& file : media)
            files[file.name] = file.data;
        EXPECT_EQ(WithoutNotes(ProblemsOf(text, files)), "") << layout;
    }
}
