#include "checking/question_grading.h"

#include "checking/rules_grading.h"
#include "checking/verdict.h"

#include <cstring>

namespace {

// Compares the whole of what a box can hold, and no more: a typed text may
// lie unterminated at the end of its buffer.
bool AsStored(const char* typed, const char* stored)
{
    return strncmp(typed, stored, MAX_TEXT_LENGTH) == 0;
}

// Typed as the stored answer or as one of the alternatives, letter for letter.
bool AsWritten(const char* typed, const char* stored, const std::vector<std::string>* alternatives)
{
    if (AsStored(typed, stored))
        return true;
    if (alternatives)
        for (const std::string& alternative : *alternatives)
            if (AsStored(typed, alternative.c_str()))
                return true;
    return false;
}

} // namespace

const char* StoredAnswer(const QuestionRecord& question, int box)
{
    return box == 1 ? question.secondAnswer : question.answer;
}

bool QuizReveals(const QuizRecord& quiz)
{
    return quiz.layoutKind == LAYOUT_PICTURE &&
           (quiz.revealMode == REVEAL_PICTURE || quiz.revealMode == REVEAL_TEXT);
}

const std::vector<std::string>* BoxAlternatives(const QuizRecord& quiz, const QuizRules* rules,
                                                const QuestionRecord& question, int box)
{
    if (!rules || box < 0 || box >= MAX_BOXES_PER_QUESTION)
        return nullptr;
    size_t index = 0;
    const QuestionRecord* q = quiz.firstQuestion;
    for (; q && q != &question; q = q->next)
        ++index;
    if (!q || index >= rules->alternatives.size())
        return nullptr;
    return &rules->alternatives[index][box];
}

QuestionGrade GradeQuestion(const QuizRecord& quiz, const QuestionRecord& question,
                            const char* const (&typed)[MAX_BOXES_PER_QUESTION],
                            const QuizRules* rules)
{
    QuestionGrade grade;
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    const bool byRules = rules && rules->Any();
    bool allAsStored = true;
    for (int box = 0; box < boxes; ++box) {
        const char* stored = StoredAnswer(question, box);
        if (!byRules) {
            grade.verdicts[box] = GradeAnswer(stored, typed[box]);
            allAsStored = allAsStored && AsStored(typed[box], stored);
            continue;
        }
        const auto* alternatives = BoxAlternatives(quiz, rules, question, box);
        grade.verdicts[box] =
            GradeBoxByRules(rules->rules, stored, alternatives, typed[box]).verdict;
        allAsStored = allAsStored && AsWritten(typed[box], stored, alternatives);
    }
    grade.solved = IsSolved(quiz, grade.verdicts);
    grade.reveals = QuizReveals(quiz) && allAsStored;
    return grade;
}

bool IsSolved(const QuizRecord& quiz, const char* const (&verdicts)[MAX_BOXES_PER_QUESTION])
{
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    for (int box = 0; box < boxes; ++box) {
        if (!verdicts[box] || strcmp(verdicts[box], VERDICT_BRAVO) != 0)
            return false;
    }
    return true;
}

RevealChange RevealAfterGrading(const QuizRecord& quiz, const QuestionGrade& grade, int box)
{
    if (box < 0 || box >= BoxesPerQuestion(quiz.answersPerQuestion) || !grade.verdicts[box])
        return RevealChange::Keep;
    if (strcmp(grade.verdicts[box], VERDICT_BRAVO) == 0)
        return grade.reveals ? RevealChange::Show : RevealChange::Keep;
    return QuizReveals(quiz) && quiz.revealMode == REVEAL_TEXT ? RevealChange::Hide
                                                               : RevealChange::Keep;
}

const char* EarnedCode(const QuizRecord& quiz, int solved)
{
    if (solved < 1 || solved > quiz.questionCount || solved > MAX_QUESTIONS)
        return "";
    return quiz.codes[solved - 1];
}
