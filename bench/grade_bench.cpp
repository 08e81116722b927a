// GradeAnswer on the longest texts a box holds (259 bytes), along the paths
// that do the most work. The goal is well under 50 us a call, so that filling
// 180 boxes at once (F1) stays instant. GradeQuestion grades every box of a
// question each time one box is graded: the cost of one grading in the player.
#include "checking/question_grading.h"
#include "checking/verdict.h"
#include "quiz/rules_payload.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

// Pseudo-random capitals, so that two seeds have little in common.
std::string Text259(unsigned seed)
{
    std::string text;
    for (unsigned x = seed; text.size() < 259;) {
        x = x * 1103515245u + 12345u;
        text += static_cast<char>('A' + (x >> 16) % 26);
    }
    return text;
}

const std::string STORED = Text259(1);

void Grade(benchmark::State& state, const std::string& typed, const char* expected)
{
    if (strcmp(GradeAnswer(STORED.c_str(), typed.c_str()), expected) != 0)
        state.SkipWithError("not the verdict this case is meant to reach");
    for (auto _ : state) // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        benchmark::DoNotOptimize(GradeAnswer(STORED.c_str(), typed.c_str()));
}

// Equal lengths and three edits apart: the distance, the sorting and the
// search all run, and the verdict comes last of all.
void BM_Near259_YadeLidee(benchmark::State& state)
{
    std::string typed = STORED;
    for (size_t i : {10, 130, 250})
        typed[i] = typed[i] == 'Z' ? 'Y' : 'Z';
    Grade(state, typed, VERDICT_YADE_LIDEE);
}

// Equal lengths, nothing alike: the same path, to FAUX.
void BM_Far259_Faux(benchmark::State& state)
{
    Grade(state, Text259(2), VERDICT_FAUX);
}

// The same bytes backwards: the distance and the sorting.
void BM_Reversed259_Anagramme(benchmark::State& state)
{
    Grade(state, std::string(STORED.rbegin(), STORED.rend()), VERDICT_ANAGRAMME);
}

// A 200-byte piece: the distance and the search, no sorting.
void BM_Piece200_TropCourt(benchmark::State& state)
{
    Grade(state, STORED.substr(40, 200), VERDICT_TROP_COURT);
}

// A question of two such answers, each typed three edits away: both boxes
// graded on the longest path.
void BM_Question2x259_YadeLidee(benchmark::State& state)
{
    QuizRecord quiz;
    quiz.layoutKind = LAYOUT_PICTURE;
    quiz.answersPerQuestion = 2;
    const std::string second = Text259(3);
    AppendQuestion(quiz, STORED.c_str(), second.c_str(), "");
    std::string typed[2] = {STORED, second};
    for (std::string& text : typed) {
        for (size_t i : {10, 130, 250})
            text[i] = text[i] == 'Z' ? 'Y' : 'Z';
    }
    const QuestionGrade grade =
        GradeQuestion(quiz, *quiz.firstQuestion, {typed[0].c_str(), typed[1].c_str()});
    if (strcmp(grade.verdicts[0], VERDICT_YADE_LIDEE) != 0 ||
        strcmp(grade.verdicts[1], VERDICT_YADE_LIDEE) != 0)
        state.SkipWithError("not the verdicts this case is meant to reach");
    for (auto _ : state) // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        benchmark::DoNotOptimize(
            GradeQuestion(quiz, *quiz.firstQuestion, {typed[0].c_str(), typed[1].c_str()}));
}

// The same question under every rule, each box with the most alternatives
// a payload holds, all of 259 bytes and none near what is typed: every
// spelling of both boxes folded and graded, the longest grading there is.
void BM_Question2x259_AllRules_Alternatives(benchmark::State& state)
{
    QuizRecord quiz;
    quiz.layoutKind = LAYOUT_PICTURE;
    quiz.answersPerQuestion = 2;
    AppendQuestion(quiz, STORED.c_str(), Text259(3).c_str(), "");
    QuizRules rules;
    rules.rules = {true, true, true, true};
    rules.alternatives.resize(1);
    for (auto& spellings : rules.alternatives[0])
        for (int i = 0; i < MAX_ALTERNATIVES; ++i)
            spellings.push_back(Text259(100 + static_cast<unsigned>(i)));
    const std::string typed = Text259(7);
    const QuestionGrade grade =
        GradeQuestion(quiz, *quiz.firstQuestion, {typed.c_str(), typed.c_str()}, &rules);
    if (strcmp(grade.verdicts[0], VERDICT_FAUX) != 0 ||
        strcmp(grade.verdicts[1], VERDICT_FAUX) != 0)
        state.SkipWithError("not the verdicts this case is meant to reach");
    for (auto _ : state) // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        benchmark::DoNotOptimize(
            GradeQuestion(quiz, *quiz.firstQuestion, {typed.c_str(), typed.c_str()}, &rules));
}

} // namespace

BENCHMARK(BM_Near259_YadeLidee)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Far259_Faux)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Reversed259_Anagramme)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Piece200_TropCourt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Question2x259_YadeLidee)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Question2x259_AllRules_Alternatives)->Unit(benchmark::kMicrosecond);
