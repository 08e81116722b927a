// quizzpack essai: the player's verdicts on answers given as arguments or
// read a line at a time, on a quiz whose media need not exist yet.
#include "tests/unit/authoring/source_fixture.h"

#include "authoring/source/answer_trial.h"
#include "authoring/source/source_check.h"
#include "checking/verdict.h"
#include "quizzpack/commands.h"

#include <gtest/gtest.h>

namespace {

// One box a question; the reveal texts of the picture layout.
const char* const COUNTRIES =
    u8"titre = \"Pays\"\ndisposition = \"image\"\nrevelation = \"texte\"\n"
    u8"[[question]]\nreponse = \"l’Italie\"\nimage = \"absente.jpg\"\ntexte_revele = \"Rome\"\n"
    u8"[[question]]\nreponse = \"Nouvelle-Zélande\"\nimage = \"absente.jpg\"\n"
    u8"texte_revele = \"Wellington\"\n";

// Two boxes a question, with their captions.
const char* const FRUITS =
    u8"titre = \"Fruits\"\ndisposition = \"image\"\nrevelation = \"image\"\n"
    u8"legende_reponse = \"Fruit\"\nlegende_seconde_reponse = \"Couleur\"\n"
    u8"[[question]]\nreponse = \"pomme\"\nseconde_reponse = \"verte\"\nimage = \"p.jpg\"\n"
    u8"image_revelee = \"r.jpg\"\n";

struct Essai {
    int code;
    std::string out, err;
};

Essai Essay(const char* source, std::vector<std::string> args,
            const std::vector<std::string>& input = {}, bool console = false)
{
    TempFolder folder;
    const std::string path = folder / "quiz.toml";
    SaveFile(path, source);
    PackerPlatform platform;
    size_t next = 0;
    platform.readInputLine = [&](std::string& line) {
        if (next == input.size())
            return false;
        line = input[next++];
        return true;
    };
    platform.consoleInput = console;
    args.insert(args.begin(), {"essai", path});
    CommandOutput output;
    const int code = RunQuizzpack(args, platform, output);
    // The notices about the source name it; the trials are what is checked.
    std::string err;
    for (size_t start = 0, end; start < output.err.size(); start = end + 1) {
        end = output.err.find('\n', start);
        const std::string line = output.err.substr(start, end - start);
        if (line.compare(0, path.size(), path) != 0)
            err += line + "\n";
    }
    return {code, output.out, err};
}

} // namespace

// The verdicts themselves are the checking core's (tests/unit/checking);
// here, how the command takes the answer and tells its verdict.
TEST(Essai, GivesThePlayersVerdictAndWhetherItWouldReveal)
{
    const struct {
        std::vector<std::string> args;
        std::string verdict;
    } cases[] = {
        {{"1", "l'Italie"}, u8"« l'Italie » → BRAVO (la révélation s'afficherait)"},
        {{"1", "  L'ITALIE "},
         u8"«   L'ITALIE  » → BRAVO (pas de révélation : il y faut « l'Italie », lettre pour "
         u8"lettre)"},
        {{"1", u8"l’Italie"}, u8"« l’Italie » → Quasiment"},
        {{"1", "l'Italie", "du", "Sud"}, u8"« l'Italie du Sud » → Trop long"},
        {{"1", "-5"}, u8"« -5 » → FAUX"},
        {{"1", ""}, u8"«  » → ?"},
        {{"1", u8"l'Itałie"},
         u8"« l'Itałie » → Quasiment (« ł » n'existe pas dans l'alphabet du lecteur : sa case le "
         u8"lit « ? »)"},
        {{"2", "Nouvelle", u8"Zélande"}, u8"« Nouvelle Zélande » → Quasiment"},
        {{"2", "Nouvele-Zelandr"}, u8"« Nouvele-Zelandr » → yade lidée"},
    };
    for (const auto& c : cases) {
        const Essai essai = Essay(COUNTRIES, c.args);
        EXPECT_EQ(essai.code, EXIT_DONE) << c.verdict;
        EXPECT_EQ(essai.out, "question " + c.args[0] + " : " + c.verdict + "\n");
        EXPECT_EQ(essai.err, "");
    }
}

TEST(Essai, NamesTheBoxOfATwoAnswerQuiz)
{
    const struct {
        std::vector<std::string> args;
        std::string result;
    } cases[] = {
        {{"1", "pomme"},
         u8"question 1, case 1 (Fruit) : « pomme » → BRAVO (la révélation s'afficherait avec "
         u8"« verte » dans la case 2, lettre pour lettre)"},
        {{"1:1", "Pomme"},
         u8"question 1, case 1 (Fruit) : « Pomme » → BRAVO (pas de révélation : il y faut "
         u8"« pomme », lettre pour lettre)"},
        {{"1:2", "verte"},
         u8"question 1, case 2 (Couleur) : « verte » → BRAVO (la révélation s'afficherait avec "
         u8"« pomme » dans la case 1, lettre pour lettre)"},
        {{"1:2", "pomme"}, u8"question 1, case 2 (Couleur) : « pomme » → FAUX"},
    };
    for (const auto& c : cases) {
        const Essai essai = Essay(FRUITS, c.args);
        EXPECT_EQ(essai.code, EXIT_DONE) << c.result;
        EXPECT_EQ(essai.out, c.result + "\n");
    }
}

TEST(Essai, RefusesQuestionsAndBoxesTheQuizHasNot)
{
    const struct {
        const char* source;
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {COUNTRIES, {"3", "x"}, u8"question 3 : le quiz en a 2, de 1 à 2"},
        {COUNTRIES, {"0", "x"}, u8"question 0 : le quiz en a 2, de 1 à 2"},
        {COUNTRIES,
         {"1:2", "x"},
         u8"case 2 : chaque question n'a qu'une case : écrivez 1 sans « :2 »"},
        {FRUITS, {"1:3", "x"}, u8"case 3 : chaque question a deux cases, 1 et 2"},
        {COUNTRIES, {"un", "x"}, u8"« un » n'est pas un numéro de question (3)"},
        {FRUITS,
         {"1:", "x"},
         u8"« 1: » n'est pas un numéro de question (3, ou 3:2 pour la seconde case)"},
        {COUNTRIES, {"99999999999", "x"}, u8"« 99999999999 » n'est pas un numéro de question (3)"},
        {COUNTRIES, {"1"}, u8"il manque la réponse à essayer : quizzpack essai "},
    };
    for (const auto& c : cases) {
        const Essai essai = Essay(c.source, c.args);
        EXPECT_EQ(essai.code, EXIT_USAGE) << c.error;
        EXPECT_EQ(essai.err.substr(0, 12 + c.error.size()), "quizzpack : " + c.error);
        EXPECT_EQ(essai.out, "");
    }
    // A quiz that would not build tells why and tries nothing.
    const Essai broken = Essay(u8"titre = \"T\"\ndisposition = \"texte\"\n[[question]]\n"
                               u8"reponse = \"a\"\n",
                               {"1", "a"});
    EXPECT_EQ(broken.code, EXIT_QUIZ_ERRORS);
    EXPECT_EQ(broken.out, "");
}

// A list of likely answers, from a file or typed; wrong lines are told by
// number and the others still tried.
TEST(Essai, TriesALineAtATimeFromStandardInput)
{
    const Essai essai =
        Essay(COUNTRIES, {},
              {std::string("\xEF\xBB\xBF") + "1 l'Italie\r", // a byte order mark, a CR
               "", "# les fautes probables", "2 Nouvelle-Z\xE9lande", u8"2\tNouvelle-Zélande ",
               "3 Paris", "2", u8"deux Zélande", "1 l'italie"},
              true);
    // Outside the checks' macros: they quote their arguments in the tests'
    // own character set, which has no arrow.
    const std::string tried =
        u8"question 1 : « l'Italie » → BRAVO (la révélation s'afficherait)\n"
        u8"question 2 : « Nouvelle-Zélande » → BRAVO (la révélation s'afficherait)\n"
        u8"question 2 : « Nouvelle-Zélande  » → BRAVO (pas de révélation : il y faut "
        u8"« Nouvelle-Zélande », lettre pour lettre)\n"
        u8"question 1 : « l'italie » → BRAVO (pas de révélation : il y faut « l'Italie », "
        u8"lettre pour lettre)\n";
    EXPECT_EQ(essai.code, EXIT_USAGE);
    EXPECT_EQ(essai.out, tried);
    EXPECT_EQ(essai.err,
              u8"Une réponse par ligne : le numéro de la question, une espace, la réponse (3 "
              u8"l'italie). Pour finir : Ctrl+Z puis Entrée.\n"
              u8"quizzpack : ligne 6 : question 3 : le quiz en a 2, de 1 à 2\n"
              u8"quizzpack : ligne 7 : il manque la réponse à essayer : écrivez par exemple "
              u8"« 2 l'italie »\n"
              u8"quizzpack : ligne 8 : « deux » n'est pas un numéro de question (3)\n");

    const std::string second =
        u8"question 1, case 2 (Couleur) : « verte » → BRAVO (la révélation s'afficherait avec "
        u8"« pomme » dans la case 1, lettre pour lettre)\n";
    EXPECT_EQ(Essay(FRUITS, {}, {"1:2 verte"}).out, second);
    const Essai none = Essay(COUNTRIES, {}, {"", "# rien"});
    EXPECT_EQ(none.code, EXIT_USAGE);
    EXPECT_NE(none.err.find(u8"aucune réponse à essayer"), std::string::npos) << none.err;
}

// What the editor shows beside a box: the verdict as the player's label
// holds it, and each remark on its own; no verdict for a question the quiz
// has not, or a box (where TryAnswer's "?" would read as nothing typed).
TEST(Essai, GradesATrialApartFromItsWording)
{
    QuizSource source;
    QuizRecord quiz;
    QuizRules rules;
    std::vector<Problem> problems;
    ASSERT_TRUE(ReadQuizSource(COUNTRIES, source, problems) &&
                CheckQuizSource(source, quiz, rules, problems));
    const struct {
        TrialTarget target;
        const char* typed;
        const char* verdict;
        std::vector<std::string> remarks;
    } rows[] = {
        {{1, 1}, "l'Italie", VERDICT_BRAVO, {u8"la révélation s'afficherait"}},
        {{1, 1},
         u8"L'Itałie",
         VERDICT_QUASIMENT,
         {u8"« ł » n'existe pas dans l'alphabet du lecteur : sa case le lit « ? »"}},
        {{2, 1}, "", VERDICT_EMPTY, {}},
        {{3, 1}, "Paris", nullptr, {}},
        {{0, 1}, "Paris", nullptr, {}},
        {{1, 2}, "l'Italie", nullptr, {}},
    };
    for (const auto& row : rows) {
        const Trial trial = GradeTrial(quiz, row.target, row.typed);
        EXPECT_EQ(trial.verdict ? std::string(trial.verdict) : "none",
                  row.verdict ? std::string(row.verdict) : "none")
            << row.typed;
        EXPECT_EQ(trial.remarks, row.remarks) << row.typed;
    }
}

// quizzpack essai grades under the quiz's rules and its other spellings, as
// the player does: "mont blanc" for "le Mont Blanc" is right only with
// optional articles.
TEST(Essai, GradesUnderTheQuizsRules)
{
    const std::string quiz = u8"titre = \"Sommets\"\ndisposition = \"texte\"\n";
    const std::string question = u8"[[question]]\nreponse = \"le Mont Blanc\"\ntexte = \"?\"\n"
                                 u8"autres_reponses = [\"Mont Blanc de Courmayeur\"]\n";
    const struct {
        std::string rules;
        const char* typed;
        std::string out;
    } rows[] = {
        {"", "mont blanc", u8"question 1 : « mont blanc » → Trop court\n"},
        {"articles_facultatifs = true\n", "mont blanc",
         u8"question 1 : « mont blanc » → BRAVO (accepté : « le Mont Blanc », articles "
         u8"facultatifs)\n"},
        {"", "mont blanc de courmayeur",
         u8"question 1 : « mont blanc de courmayeur » → BRAVO (accepté : « Mont Blanc de "
         u8"Courmayeur » (autre réponse acceptée))\n"},
    };
    for (const auto& row : rows) {
        const std::string source = quiz + row.rules + question;
        EXPECT_EQ(Essay(source.c_str(), {"1", row.typed}).out, row.out) << row.rules << row.typed;
    }
}
