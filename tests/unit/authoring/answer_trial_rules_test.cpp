// The trial under a quiz's rules of accepted answers: the verdict the player
// would give, the spelling it came from and the rules that made it right.
#include "authoring/source/answer_trial.h"
#include "checking/verdict.h"

#include <gtest/gtest.h>

namespace {

// Question 1 "le Mont Blanc" with "Mont-Blanc" as another spelling;
// question 2 "la Tamise" / "London" with "Tamise" and "Londres"; the
// picture layout with reveal texts.
void MakeQuiz(QuizRecord& quiz, QuizRules& rules, AnswerRules which)
{
    quiz.layoutKind = LAYOUT_PICTURE;
    quiz.revealMode = REVEAL_TEXT;
    quiz.answersPerQuestion = 2;
    quiz.questionCount = 2;
    AppendQuestion(quiz, "le Mont Blanc", "Alpes", "");
    AppendQuestion(quiz, "la Tamise", "London", "");
    rules.rules = which;
    rules.alternatives.resize(2);
    rules.alternatives[0][0] = {"Mont-Blanc"};
    rules.alternatives[1][0] = {"Tamise"};
    rules.alternatives[1][1] = {"Londres"};
}

} // namespace

TEST(AnswerTrial, SaysWhichSpellingMatchedAndWhichRuleMadeItRight)
{
    constexpr AnswerRules NONE = {};
    constexpr AnswerRules ARTICLES = {false, true, false, false};
    constexpr AnswerRules ACCENTS_ARTICLES_HYPHENS = {true, true, true, false};
    constexpr AnswerRules CAPITALS = {false, false, false, true};
    const struct {
        AnswerRules which;
        TrialTarget target;
        const char* typed;
        const char* verdict;
        std::vector<std::string> remarks;
    } rows[] = {
        {ARTICLES,
         {1, 1},
         "mont blanc",
         VERDICT_BRAVO,
         {u8"accepté : « le Mont Blanc », articles facultatifs",
          u8"pas de révélation : il y faut « le Mont Blanc » ou une autre réponse acceptée, lettre "
          u8"pour lettre"}},
        {ARTICLES,
         {1, 1},
         "Mont-Blanc",
         VERDICT_BRAVO,
         {u8"accepté : « Mont-Blanc » (autre réponse acceptée)",
          u8"la révélation s'afficherait avec « Alpes » dans la case 2, lettre pour lettre"}},
        // Nothing forgiven: the stored answer needs no word.
        {ARTICLES,
         {1, 1},
         "le Mont Blanc",
         VERDICT_BRAVO,
         {u8"la révélation s'afficherait avec « Alpes » dans la case 2, lettre pour lettre"}},
        {ACCENTS_ARTICLES_HYPHENS,
         {1, 1},
         u8"  Mônt  Blanc",
         VERDICT_BRAVO,
         {u8"accepté : « le Mont Blanc », accents facultatifs, articles facultatifs, tirets "
          u8"comme espaces",
          u8"pas de révélation : il y faut « le Mont Blanc » ou une autre réponse acceptée, lettre "
          u8"pour lettre"}},
        // Only the rules needed are named.
        {ACCENTS_ARTICLES_HYPHENS,
         {1, 1},
         "mont blanc",
         VERDICT_BRAVO,
         {u8"accepté : « le Mont Blanc », articles facultatifs",
          u8"pas de révélation : il y faut « le Mont Blanc » ou une autre réponse acceptée, lettre "
          u8"pour lettre"}},
        {NONE,
         {2, 1},
         "tamise",
         VERDICT_BRAVO,
         {u8"accepté : « Tamise » (autre réponse acceptée)",
          u8"pas de révélation : il y faut « la Tamise » ou une autre réponse acceptée, lettre "
          u8"pour "
          u8"lettre"}},
        {NONE,
         {2, 2},
         "Londre",
         VERDICT_QUASIMENT,
         {u8"au plus près de « Londres » (autre réponse acceptée)"}},
        {NONE, {2, 2}, "Rome", VERDICT_FAUX, {}},
        {NONE, {2, 2}, "", VERDICT_EMPTY, {}},
        {CAPITALS,
         {2, 2},
         "london",
         VERDICT_QUASIMENT,
         {u8"majuscules exigées : il faut « London »"}},
        {CAPITALS,
         {2, 1},
         "TAMISE",
         VERDICT_QUASIMENT,
         {u8"majuscules exigées : il faut « Tamise » (autre réponse acceptée)"}},
    };
    for (const auto& row : rows) {
        QuizRecord quiz;
        QuizRules rules;
        MakeQuiz(quiz, rules, row.which);
        const Trial trial = GradeTrial(quiz, row.target, row.typed, &rules);
        EXPECT_STREQ(trial.verdict, row.verdict) << row.typed;
        EXPECT_EQ(trial.remarks, row.remarks) << row.typed;
    }
}

TEST(AnswerTrial, WordsTheTrialAsBeforeWithoutRules)
{
    QuizRecord quiz;
    QuizRules rules;
    MakeQuiz(quiz, rules, {false, true, false, false});
    // Outside the macros, which quote their arguments in the execution
    // character set.
    const std::string withRules =
        u8"question 1, case 1 : « mont blanc » → BRAVO (accepté : « le Mont Blanc », articles "
        u8"facultatifs ; pas de révélation : il y faut « le Mont Blanc » ou une autre réponse "
        u8"acceptée, lettre pour lettre)";
    const std::string without = u8"question 1, case 1 : « mont blanc » → Trop court";
    const QuizRules none;
    EXPECT_EQ(TryAnswer(quiz, {1, 1}, "mont blanc", &rules), withRules);
    EXPECT_EQ(TryAnswer(quiz, {1, 1}, "mont blanc"), without);
    EXPECT_EQ(TryAnswer(quiz, {1, 1}, "mont blanc", &none), without);
}
