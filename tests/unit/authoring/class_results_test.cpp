#include "authoring/results/class_results.h"

#include "checking/verdict.h"
#include "results_fixture.h"
#include "tests/unit/authoring/source_fixture.h"

#include "authoring/source/source_check.h"
#include "authoring/source/source_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A block as a mail program quotes it in a reply.
std::string ReplyQuoted(const std::string& text)
{
    std::string quoted = "> ";
    for (char c : text) {
        quoted += c;
        if (c == '\n')
            quoted += "> ";
    }
    return quoted;
}

std::string Two(int i)
{
    return (i < 10 ? "0" : "") + std::to_string(i);
}

// Pupil i of the class: answers that make the figures below easy to count by
// hand.
std::vector<std::string> ClassAnswers(int i)
{
    const char* second[] = {"Milan", "Naples", "Rome", "MILAN ", "", "rome "};
    return {i % 5 == 0 ? "Lyon" : "paris", second[i % 6],
            i < 10   ? "Madrid"
            : i < 20 ? "Madird"
                     : "Barcelone",
            i % 2 == 0 ? "Berlin" : "Bonn"};
}

std::vector<std::string> Typed(const std::vector<WrongAnswer>& wrong)
{
    std::vector<std::string> typed;
    typed.reserve(wrong.size());
    for (const WrongAnswer& answer : wrong)
        typed.push_back(answer.typed + " x" + std::to_string(answer.count));
    return typed;
}

} // namespace

// A class of 30 with every fault a teacher meets mixed in: another quiz's
// work, damaged and cut files, a pupil handing in twice, a file changed by
// hand, three blocks pasted in a quoted reply, a file from before a question
// was added. The figures are counted by hand from ClassAnswers.
TEST(GradeClass, CountsTheClassAndTellsEachFaultInALine)
{
    QuizRecord quiz;
    MakeQuiz(quiz, "Capitales", 1, {{"Paris", ""}, {"Rome", ""}, {"Madrid", ""}, {"Berlin", ""}});
    const std::string title = "Capitales";
    auto pupil = [](int i) { return u8"Élève " + Two(i); };
    auto date = [](int i) { return "2026-12-08 10:" + Two(i); };

    std::vector<HandedIn> handed;
    // Pupil 3 again, older and all right, spelled otherwise: set aside.
    handed.push_back({u8"Élève 03 ancien.txt", Work(title, "  ELEVE   03 ", "2026-12-07 09:00",
                                                    {"Paris", "Rome", "Madrid", "Berlin"})});
    for (int i = 3; i < 30; ++i) {
        std::vector<std::string> answers = ClassAnswers(i);
        if (i == 4) // handed in before the fourth question was added
            answers.pop_back();
        handed.push_back({pupil(i) + ".txt", Work(title, pupil(i), date(i), answers)});
    }
    handed.push_back({"autre1.txt", Work("Fleuves", "Jean", "2026-12-08 09:00", {"Seine"})});
    handed.push_back({"autre2.txt", Work("Fleuves", "Paul", "2026-12-08 09:01", {"Loire"})});
    handed.push_back({"abime.txt", "bonjour madame"});
    const std::string cut = Work(title, "Coupé", "2026-12-08 11:00", ClassAnswers(1));
    handed.push_back({"coupe.txt", cut.substr(0, cut.size() / 2)});
    std::string altered =
        Work(title, u8"Zoé Triche", "2026-12-08 11:30", {"Paris", "Rome", "Madrid", "Bonn"});
    altered.replace(altered.find("4 = Bonn"), 8, "4 = Berlin");
    handed.push_back({"triche.txt", altered});
    std::string pasted = "Le 8 d\xC3\xA9"
                         "c. 2026, Louise a \xC3\xA9"
                         "crit :\r\n";
    for (int i = 0; i < 3; ++i)
        pasted += ReplyQuoted(ResultsBlock(Work(title, pupil(i), date(i), ClassAnswers(i)))) +
                  "\r\n> Merci !\r\n";
    handed.push_back({u8"texte collé 1", pasted});

    const ClassResults results = GradeClass(quiz, QuizRules{}, handed);

    // Each message is one line, written over several.
    // NOLINTBEGIN(bugprone-suspicious-missing-comma)
    EXPECT_EQ(results.problems,
              (std::vector<std::string>{
                  u8"Élève 03 ancien.txt : «   ELEVE   03  » a rendu son travail plusieurs fois ; "
                  u8"celui du 2026-12-08 10:03 (Élève 03.txt) est gardé, celui-ci "
                  u8"(2026-12-07 09:00) est laissé de côté.",
                  u8"Élève 04.txt : « Élève 04 » : 3 réponses rendues, le quiz en a 4 "
                  u8"aujourd'hui (ses questions ont changé depuis) ; il est noté sur les "
                  u8"réponses que les deux ont.",
                  u8"autre1.txt : c'est le travail d'un autre quiz (« Jean ») ; mettez-le dans "
                  u8"le bilan de son quiz.",
                  u8"autre2.txt : c'est le travail d'un autre quiz (« Paul ») ; mettez-le dans "
                  u8"le bilan de son quiz.",
                  u8"abime.txt : fichier abîmé ou qui n'est pas un travail rendu ; demandez à "
                  u8"l'élève de le rendre à nouveau.",
                  u8"coupe.txt : fichier abîmé ou qui n'est pas un travail rendu ; demandez à "
                  u8"l'élève de le rendre à nouveau.",
                  u8"triche.txt : « Zoé Triche » : ce travail a été modifié à la main après "
                  u8"avoir été rendu ; il est montré marqué mais pas compté. Demandez à "
                  u8"l'élève de le rendre à nouveau.",
              }));
    // NOLINTEND(bugprone-suspicious-missing-comma)

    ASSERT_EQ(results.pupils.size(), 31u);
    EXPECT_EQ(results.counted, 30);
    EXPECT_EQ(results.pupils[0].name, u8"Élève 00");
    EXPECT_EQ(results.pupils[0].from, u8"texte collé 1 (bloc 1)");
    EXPECT_EQ(results.pupils[3].date, "2026-12-08 10:03");
    EXPECT_EQ(results.pupils[30].name, u8"Zoé Triche");
    EXPECT_TRUE(results.pupils[30].altered);
    EXPECT_EQ(results.pupils[30].score, 4);
    EXPECT_EQ(results.pupils[4].typed, (std::vector<std::string>{"paris", "", "Madrid", ""}));
    EXPECT_EQ(results.pupils[4].verdicts, (std::vector<const char*>{VERDICT_BRAVO, VERDICT_EMPTY,
                                                                    VERDICT_BRAVO, VERDICT_EMPTY}));
    EXPECT_EQ(results.pupils[10].verdicts[2], VERDICT_ANAGRAMME);
    // Worked out by hand from ClassAnswers.
    const int scores[30] = {2, 2, 4, 2, 2, 2, 3, 2, 4, 2, 1, 2, 2, 1, 3,
                            0, 2, 2, 2, 1, 2, 1, 2, 2, 2, 0, 3, 1, 2, 2};
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(results.pupils[static_cast<size_t>(i)].score, scores[i]) << i;

    ASSERT_EQ(results.questions.size(), 4u);
    const struct {
        int solved;
        std::vector<std::string> wrong;
    } figures[] = {
        {24, {"Lyon x6"}},
        {10, {"Milan x10", "Naples x5"}},
        {10, {"Barcelone x10", "Madird x10"}},
        {14, {"Bonn x15"}},
    };
    for (size_t q = 0; q < 4; ++q) {
        EXPECT_EQ(results.questions[q].solved, figures[q].solved) << q;
        ASSERT_EQ(results.questions[q].wrong.size(), 1u) << q;
        EXPECT_EQ(Typed(results.questions[q].wrong[0]), figures[q].wrong) << q;
    }
}

// Wrong answers are grouped as the quiz compares them: case folded unless it
// wants capitals; each box of a two-box quiz apart; the teacher's rules and
// other spellings regrade what was handed in.
TEST(GradeClass, GroupsWrongAnswersAsTheQuizComparesThem)
{
    QuizRecord quiz;
    MakeQuiz(quiz, "Fleuves", 2, {{"Seine", "Paris"}});
    const std::vector<std::vector<std::string>> class_ = {
        {"seine", "Lyon"}, {"seine", "lyon"}, {"Loire", " Lyon "}, {"loire", "Tours"},
        {"Rhin", "Tours"}, {"Po", "Nantes"},  {"Seine", "Paris"},  {"Seine", "Lutèce"},
    };
    std::vector<HandedIn> handed;
    for (size_t i = 0; i < class_.size(); ++i)
        handed.push_back({"p" + std::to_string(i),
                          Work("Fleuves", "P" + std::to_string(i), "2026-12-08", class_[i])});
    const struct {
        const char* name;
        bool capitals;
        int solved;
        std::vector<std::string> first, second;
    } rows[] = {
        {"folded",
         false,
         2,
         {"Loire x2", "Po x1", "Rhin x1"},
         {"Lyon x3", "Tours x2", "Nantes x1"}},
        {"capitals",
         true,
         2,
         {"seine x2", "Loire x1", "Po x1"},
         {"Lyon x2", "Tours x2", "Nantes x1"}},
    };
    for (const auto& row : rows) {
        QuizRules rules;
        rules.rules.capitalsRequired = row.capitals;
        rules.alternatives.push_back({std::vector<std::string>{},
                                      {"Lut\xE8"
                                       "ce"}});
        const ClassResults results = GradeClass(quiz, rules, handed);
        ASSERT_EQ(results.counted, 8) << row.name;
        EXPECT_EQ(results.questions[0].solved, row.solved) << row.name;
        EXPECT_EQ(Typed(results.questions[0].wrong[0]), row.first) << row.name;
        EXPECT_EQ(Typed(results.questions[0].wrong[1]), row.second) << row.name;
    }
}

// A block cut short in a pasted text is told, and the blocks after it still
// read; a text holding no whole block is one damaged piece.
TEST(GradeClass, ReadsEveryBlockOfAPastedTextPastADamagedOne)
{
    QuizRecord quiz;
    MakeQuiz(quiz, "Capitales", 1, {{"Paris", ""}});
    const std::string lea = ResultsBlock(Work("Capitales", u8"Léa", "2026-12-08", {"Paris"}));
    const std::string tom = ResultsBlock(Work("Capitales", "Tom", "2026-12-08", {"Lyon"}));
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> pupils, problems;
    } rows[] = {
        {"cut, then whole",
         lea.substr(0, lea.size() / 2) + "\r\n" + tom,
         {"Tom"},
         {u8"t (bloc 1) : fichier abîmé ou qui n'est pas un travail rendu ; demandez à l'élève "
          u8"de le rendre à nouveau."}},
        {"whole, then without its end",
         tom + "Bonne journée\r\n" + lea.substr(0, lea.find(RESULTS_BLOCK_END)),
         {"Tom"},
         {u8"t (bloc 2) : fichier abîmé ou qui n'est pas un travail rendu ; demandez à l'élève "
          u8"de le rendre à nouveau."}},
        {"two whole", "> " + lea + "\r\n\r\n" + tom, {u8"Léa", "Tom"}, {}},
    };
    for (const auto& row : rows) {
        const ClassResults results = GradeClass(quiz, QuizRules{}, {{"t", row.text}});
        std::vector<std::string> pupils;
        for (const PupilRow& pupil : results.pupils)
            pupils.push_back(pupil.name);
        EXPECT_EQ(pupils, row.pupils) << row.name;
        EXPECT_EQ(results.problems, row.problems) << row.name;
    }
}

// Work as the Windows player and the web page wrote it, kept in files: the
// teacher's tools read both against the quiz's source, graded again.
TEST(GradeClass, ReadsWorkThePlayerAndThePageWrote)
{
    const struct {
        const char* quiz;
        const char* work;
        const char* name;
        std::vector<const char*> verdicts;
        int score;
    } ROWS[] = {
        {"player-quiz.toml",
         "player.txt",
         u8"Zoé Nguyễn",
         {VERDICT_BRAVO, VERDICT_BRAVO, VERDICT_ANAGRAMME, VERDICT_EMPTY, VERDICT_BRAVO,
          VERDICT_BRAVO, VERDICT_BRAVO, VERDICT_BRAVO},
         6},
        {"page-quiz.toml",
         "page.txt",
         u8"Léa Martin",
         {VERDICT_BRAVO, VERDICT_BRAVO, VERDICT_QUASIMENT, VERDICT_EMPTY, VERDICT_BRAVO,
          VERDICT_QUASIMENT},
         1},
    };
    for (const auto& row : ROWS) {
        QuizSource source;
        std::vector<Problem> problems;
        ASSERT_TRUE(
            ReadQuizSource(LoadFile(std::string(HANDED_IN_DIR "/") + row.quiz), source, problems))
            << row.quiz;
        QuizRecord quiz;
        QuizRules rules;
        ASSERT_TRUE(CheckQuizSource(source, quiz, rules, problems)) << row.quiz;
        const ClassResults results = GradeClass(
            quiz, rules, {{row.work, LoadFile(std::string(HANDED_IN_DIR "/") + row.work)}});
        EXPECT_TRUE(results.problems.empty()) << row.work << results.problems[0];
        ASSERT_EQ(results.pupils.size(), 1u) << row.work;
        EXPECT_EQ(results.pupils[0].name, row.name);
        EXPECT_FALSE(results.pupils[0].altered);
        ASSERT_EQ(results.pupils[0].verdicts.size(), row.verdicts.size()) << row.work;
        for (size_t box = 0; box < row.verdicts.size(); ++box)
            EXPECT_STREQ(results.pupils[0].verdicts[box], row.verdicts[box])
                << row.work << " " << box + 1;
        EXPECT_EQ(results.pupils[0].score, row.score) << row.work;
    }
}
