// Grading the answer boxes of the question panel. The verdict labels hold the
// whole grading state: nothing else records which question is solved, so
// every grading recomputes from them and can be repeated.
#pragma once

#include "quiz/quiz_record.h"

#include <windows.h>

// Grades answer box boxId under the quiz's rules (g_rules): writes its
// verdict label, reveals the question's picture or text when the question is
// solved exactly as written, and brings score and code up to date.
void CheckAnswer(const QuizRecord& quiz, HWND panel, int boxId);

// CheckAnswer without the score: for callers that grade many boxes and then
// count the score once.
void GradeBox(const QuizRecord& quiz, HWND panel, int boxId);

// Counts the solved questions from the verdict labels and writes the score
// " %d / %d" and the code of that count into the header (the panel's parent).
void UpdateScore(const QuizRecord& quiz, HWND panel);

// F1: copies the box's text into every box not graded "BRAVO" and grades
// each as the focus would grade it passing through them, the box keeping
// the focus.
void FillUnsolvedAnswers(HWND box);
