#include "checking/question_grading.h"

#include "checking/verdict.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct QuizShape {
    int layout, reveal, answers;
};
constexpr QuizShape PICTURE_TEXT = {LAYOUT_PICTURE, REVEAL_TEXT, 1};
constexpr QuizShape PICTURE_TEXT_TWO = {LAYOUT_PICTURE, REVEAL_TEXT, 2};
constexpr QuizShape PICTURE_PICTURE_TWO = {LAYOUT_PICTURE, REVEAL_PICTURE, 2};
constexpr QuizShape PICTURE_NONE = {LAYOUT_PICTURE, REVEAL_NONE, 1};
constexpr QuizShape PICTURE_NONE_TWO = {LAYOUT_PICTURE, REVEAL_NONE, 2};
constexpr QuizShape PICTURE_MODE_3 = {LAYOUT_PICTURE, 3, 1}; // no such reveal mode
// Any answers byte but 2 makes one box.
constexpr QuizShape PICTURE_TEXT_BYTE_7 = {LAYOUT_PICTURE, REVEAL_TEXT, 7};
constexpr QuizShape TEXT_TEXT = {LAYOUT_TEXT, REVEAL_TEXT, 1};
constexpr QuizShape SOUND_PICTURE = {LAYOUT_AUDIO, REVEAL_PICTURE, 1};
constexpr QuizShape FILM_TEXT = {LAYOUT_VIDEO, REVEAL_TEXT, 1};

// Articles optional, "Tamise" and "Londres" accepted in the first question's
// boxes.
QuizRules ThamesRules()
{
    QuizRules rules;
    rules.rules.articlesOptional = true;
    rules.alternatives.resize(1);
    rules.alternatives[0][0] = {"Tamise"};
    rules.alternatives[0][1] = {"Londres"};
    return rules;
}

void Shape(QuizRecord& quiz, QuizShape shape)
{
    quiz.layoutKind = shape.layout;
    quiz.revealMode = shape.reveal;
    quiz.answersPerQuestion = shape.answers;
}

std::string Text(const char* text)
{
    return text ? text : "(none)";
}

} // namespace

// Each row grades one question's boxes, with or without the quiz's rules,
// then asks what grading each box alone does to a reveal on screen.
TEST(GradeQuestion, GivesEachBoxItsVerdictAndRevealsOnlyWhatIsTypedAsStored)
{
    using C = RevealChange;
    const QuizRules thames = ThamesRules();
    const struct Row {
        const char* name;
        QuizShape shape;
        const char *answer, *secondAnswer;
        const char *typed, *secondTyped;
        const char *verdict, *secondVerdict;
        bool solved, reveals;
        RevealChange change, secondChange;
        const QuizRules* rules = nullptr;
    } rows[] = {
        {"as stored", PICTURE_TEXT, "Paris", "", "Paris", nullptr, "BRAVO", nullptr, true, true,
         C::Show, C::Keep},
        {"case differs", PICTURE_TEXT, "Paris", "", "paris", nullptr, "BRAVO", nullptr, true, false,
         C::Keep, C::Keep},
        {"spaces around", PICTURE_TEXT, "Paris", "", " Paris ", nullptr, "BRAVO", nullptr, true,
         false, C::Keep, C::Keep},
        {"wrong", PICTURE_TEXT, "Paris", "", "Rome", nullptr, "FAUX", nullptr, false, false,
         C::Hide, C::Keep},
        {"nothing typed", PICTURE_TEXT, "Paris", "", "", nullptr, "?", nullptr, false, false,
         C::Hide, C::Keep},
        {"two as stored", PICTURE_TEXT_TWO, "pomme", "verte", "pomme", "verte", "BRAVO", "BRAVO",
         true, true, C::Show, C::Show},
        {"two, one right", PICTURE_TEXT_TWO, "pomme", "verte", "pomme", "vert", "BRAVO",
         "Quasiment", false, false, C::Keep, C::Hide},
        {"two, one right in another case", PICTURE_TEXT_TWO, "pomme", "verte", "pomme", "VERTE",
         "BRAVO", "BRAVO", true, false, C::Keep, C::Keep},
        {"two, reveal picture", PICTURE_PICTURE_TWO, "pomme", "verte", "pomme", "verte", "BRAVO",
         "BRAVO", true, true, C::Show, C::Show},
        // A reveal picture, once shown, stays: only a text is taken back.
        {"two, reveal picture, one wrong", PICTURE_PICTURE_TWO, "pomme", "verte", "pomme", "rouge",
         "BRAVO", "FAUX", false, false, C::Keep, C::Keep},
        // An empty box holds an empty second answer as stored, though it is
        // never graded right: the first box shows the reveal, the second,
        // graded alone, takes its text back.
        {"empty stored second answer", PICTURE_TEXT_TWO, "pomme", "", "pomme", "", "BRAVO", "?",
         false, true, C::Show, C::Hide},
        {"text layout", TEXT_TEXT, "Paris", "", "Paris", nullptr, "BRAVO", nullptr, true, false,
         C::Keep, C::Keep},
        {"sound layout", SOUND_PICTURE, "Paris", "", "Paris", nullptr, "BRAVO", nullptr, true,
         false, C::Keep, C::Keep},
        {"film layout, wrong", FILM_TEXT, "Paris", "", "Rome", nullptr, "FAUX", nullptr, false,
         false, C::Keep, C::Keep},
        {"reveal none", PICTURE_NONE_TWO, "pomme", "verte", "pomme", "verte", "BRAVO", "BRAVO",
         true, false, C::Keep, C::Keep},
        {"reveal none, wrong", PICTURE_NONE, "Paris", "", "Rome", nullptr, "FAUX", nullptr, false,
         false, C::Keep, C::Keep},
        {"unknown reveal mode", PICTURE_MODE_3, "Paris", "", "Paris", nullptr, "BRAVO", nullptr,
         true, false, C::Keep, C::Keep},
        // The second answer is there, but not its box.
        {"answers byte 7", PICTURE_TEXT_BYTE_7, "pomme", "verte", "pomme", nullptr, "BRAVO",
         nullptr, true, true, C::Show, C::Keep},
        // Under rules, a reveal still wants the stored answer or an
        // alternative letter for letter, not a spelling a rule forgives.
        {"rules, as stored", PICTURE_TEXT_TWO, "la Tamise", "London", "la Tamise", "London",
         "BRAVO", "BRAVO", true, true, C::Show, C::Show, &thames},
        {"rules, alternatives", PICTURE_TEXT_TWO, "la Tamise", "London", "Tamise", "Londres",
         "BRAVO", "BRAVO", true, true, C::Show, C::Show, &thames},
        {"rules, case differs", PICTURE_TEXT_TWO, "la Tamise", "London", "tamise", "London",
         "BRAVO", "BRAVO", true, false, C::Keep, C::Keep, &thames},
        {"rules, article forgiven", PICTURE_TEXT_TWO, "la Tamise", "London", "le Tamise", "London",
         "BRAVO", "BRAVO", true, false, C::Keep, C::Keep, &thames},
        {"rules, near", PICTURE_TEXT_TWO, "la Tamise", "London", "Tamis", "Londre", "Quasiment",
         "Quasiment", false, false, C::Hide, C::Hide, &thames},
        {"no rules, alternatives", PICTURE_TEXT_TWO, "la Tamise", "London", "Tamise", "Londres",
         "FAUX", "FAUX", false, false, C::Hide, C::Hide},
    };
    for (const Row& row : rows) {
        QuizRecord quiz;
        Shape(quiz, row.shape);
        AppendQuestion(quiz, row.answer, row.secondAnswer, "");
        const QuestionGrade grade =
            GradeQuestion(quiz, *quiz.firstQuestion, {row.typed, row.secondTyped}, row.rules);
        EXPECT_EQ(Text(grade.verdicts[0]), Text(row.verdict)) << row.name;
        EXPECT_EQ(Text(grade.verdicts[1]), Text(row.secondVerdict)) << row.name;
        EXPECT_EQ(grade.solved, row.solved) << row.name;
        EXPECT_EQ(grade.reveals, row.reveals) << row.name;
        EXPECT_EQ(RevealAfterGrading(quiz, grade, 0), row.change) << row.name;
        EXPECT_EQ(RevealAfterGrading(quiz, grade, 1), row.secondChange) << row.name;
    }
    // A question without alternatives still takes the rules; one beyond
    // the rules' list, one of another quiz, or a box beyond the quiz's, has
    // no alternatives.
    QuizRecord quiz, other;
    quiz.answersPerQuestion = 2;
    AppendQuestion(quiz, "la Seine", "Paris", "");
    AppendQuestion(quiz, "le Louvre", "Paris", "");
    EXPECT_STREQ(GradeQuestion(quiz, *quiz.lastQuestion, {"Louvre", "Tamise"}, &thames).verdicts[0],
                 VERDICT_BRAVO);
    EXPECT_EQ(BoxAlternatives(quiz, &thames, *quiz.lastQuestion, 0), nullptr);
    EXPECT_EQ(BoxAlternatives(other, &thames, *quiz.firstQuestion, 0), nullptr);
    EXPECT_EQ(BoxAlternatives(quiz, &thames, *quiz.firstQuestion, 2), nullptr);
}

// Each typed text lies unterminated at the very end of its own heap block, so
// that a sanitized build catches any read past byte 259; under rules a
// stored answer and an alternative of 259 bytes are folded whole, and byte
// 260 onwards never counts.
TEST(GradeQuestion, ReadsAll259BytesOfABoxAndNoMore)
{
    const std::string stored(MAX_TEXT_LENGTH, 'a');
    QuizRules all;
    all.rules = {true, true, true, true};
    all.alternatives.resize(1);
    all.alternatives[0][0] = {std::string(MAX_TEXT_LENGTH, '\xE9')};
    const struct {
        const QuizRules* rules = nullptr;
        std::string typed;
        const char* verdict;
        bool reveals;
    } rows[] = {
        {nullptr, stored + "b", "BRAVO", true},
        {nullptr, std::string(MAX_TEXT_LENGTH - 1, 'a') + "A", "BRAVO", false},
        {&all, stored + "b", "BRAVO", true},
        {&all, std::string(MAX_TEXT_LENGTH, 'e') + "x", "BRAVO", false},
        {&all, std::string(MAX_TEXT_LENGTH - 1, 'e') + "xx", "Quasiment", false},
    };
    for (const auto& row : rows) {
        QuizRecord quiz;
        Shape(quiz, PICTURE_TEXT);
        AppendQuestion(quiz, stored.c_str(), "", "");
        const std::vector<char> typed(row.typed.begin(), row.typed.begin() + MAX_TEXT_LENGTH);
        const QuestionGrade grade =
            GradeQuestion(quiz, *quiz.firstQuestion, {typed.data(), nullptr}, row.rules);
        EXPECT_STREQ(grade.verdicts[0], row.verdict) << row.typed;
        EXPECT_EQ(grade.reveals, row.reveals) << row.typed;
    }
}

// The player counts its score from the labels, whose texts are copies.
TEST(IsSolved, TakesEveryBoxOfTheQuizGradedBravo)
{
    const struct {
        int answers;
        const char *first, *second;
        bool solved;
    } rows[] = {
        {1, "BRAVO", nullptr, true},  {1, "BRAVO", "FAUX", true}, {2, "BRAVO", "BRAVO", true},
        {2, "BRAVO", "FAUX", false},  {2, "?", "BRAVO", false},   {2, "BRAVO", nullptr, false},
        {1, "bravo", nullptr, false}, {1, "", nullptr, false},    {1, nullptr, nullptr, false},
    };
    for (const auto& row : rows) {
        QuizRecord quiz;
        quiz.answersPerQuestion = row.answers;
        const std::string first = Text(row.first), second = Text(row.second);
        EXPECT_EQ(IsSolved(quiz, {row.first ? first.c_str() : nullptr,
                                  row.second ? second.c_str() : nullptr}),
                  row.solved)
            << Text(row.first) << " / " << Text(row.second);
    }
}

TEST(EarnedCode, IsTheQuizsCodeForThatManySolvedQuestions)
{
    QuizRecord quiz;
    quiz.questionCount = 3;
    CopyText(quiz.codes[0], "UN");
    CopyText(quiz.codes[2], "TROIS");
    CopyText(quiz.codes[3], "beyond the questions");
    const struct {
        int solved;
        const char* code;
    } rows[] = {{0, ""}, {1, "UN"}, {2, ""}, {3, "TROIS"}, {4, ""}, {-1, ""}};
    for (const auto& row : rows)
        EXPECT_STREQ(EarnedCode(quiz, row.solved), row.code) << row.solved;

    quiz.questionCount = MAX_QUESTIONS + 1; // a record no loader makes
    EXPECT_STREQ(EarnedCode(quiz, MAX_QUESTIONS + 1), "");
}
