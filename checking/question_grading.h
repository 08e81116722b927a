// One question graded as every front grades it (the player, quizzpack essai,
// the atelier's "Essayer", the web page): each box's verdict, whether the
// question is solved, and whether its reveal shows. Every verdict a pupil or
// a teacher sees comes through GradeQuestion, so what a quiz accepts is
// decided here alone.
//
// Solved: every box of the question graded BRAVO. The reveal (its picture or
// its text) shows only in the picture layout, with a reveal mode, once every
// box holds its answer exactly as stored, letter for letter: stricter than
// the verdict, which forgives case and surrounding spaces.
//
// A quiz's rules of accepted answers (quiz/answer_rules.h; none, or nullptr:
// the grading above, unchanged) grade each box by rules_grading.h: the best
// verdict over its answer and its alternatives, the rules applied to both
// sides. The reveal then also shows when a box holds one of its alternatives
// exactly as written: a text the rules only forgive (a missing article, an
// accent) is right, but shows nothing, as a wrong case does without rules.
//
// Boxes are numbered from 0 (the first, or only, answer) to 1 (the second).
// Typed texts are Windows-1252 bytes as the player's box holds them; only the
// first MAX_TEXT_LENGTH (259) bytes are read, and nothing is changed. No
// state, no allocation.
#pragma once

#include "quiz/answer_rules.h"
#include "quiz/quiz_record.h"

constexpr int MAX_BOXES_PER_QUESTION = 2;

// Boxes per question: two when the quiz says two, else one (the payload byte
// may hold any value).
inline int BoxesPerQuestion(int answersPerQuestion)
{
    return answersPerQuestion == 2 ? 2 : 1;
}

// The answer box `box` expects: the question's answer or its second answer.
const char* StoredAnswer(const QuestionRecord& question, int box);

// Whether the quiz's questions reveal anything: the picture layout, with a
// reveal picture or text.
bool QuizReveals(const QuizRecord& quiz);

struct QuestionGrade {
    // One of the VERDICT_ texts per box; nullptr past the quiz's boxes.
    const char* verdicts[MAX_BOXES_PER_QUESTION] = {};
    bool solved = false;  // counts in the score
    bool reveals = false; // its reveal picture or text shows
};

// The alternatives of the question's box (nullptr: none), found by the
// question's place in the quiz's list.
const std::vector<std::string>* BoxAlternatives(const QuizRecord& quiz, const QuizRules* rules,
                                                const QuestionRecord& question, int box);

// typed holds one text per box of the quiz (BoxesPerQuestion); the others are
// not read and may be nullptr.
QuestionGrade GradeQuestion(const QuizRecord& quiz, const QuestionRecord& question,
                            const char* const (&typed)[MAX_BOXES_PER_QUESTION],
                            const QuizRules* rules = nullptr);

// Whether verdicts (one per box of the quiz, as GradeQuestion gives them or
// as labels show them) make a solved question.
bool IsSolved(const QuizRecord& quiz, const char* const (&verdicts)[MAX_BOXES_PER_QUESTION]);

// What a front that grades one box at a time, leaving the others' verdicts as
// they were, does to the reveal already shown: a right box shows it when the
// question reveals; a box not right hides a reveal text (a reveal picture,
// once shown, stays); otherwise, or for a box the quiz has not, it stays as
// it is.
enum class RevealChange { Keep, Show, Hide };
RevealChange RevealAfterGrading(const QuizRecord& quiz, const QuestionGrade& grade, int box);

// The code earned for that many solved questions: the quiz's code for the
// count, "" for none or a count past the quiz's questions.
const char* EarnedCode(const QuizRecord& quiz, int solved);
