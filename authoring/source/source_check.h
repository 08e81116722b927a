// The rules between the values of a quiz source, and its conversion into the
// player's record: every text Windows-1252, without "|" (the payload's
// separator) nor control characters, 259 bytes at most; 1 to 90 questions;
// a second answer on every question or on none (reponses_par_question says
// which when the file gives it); the medium key of the layout on every
// question; reveal texts and pictures on every question when the reveal mode
// uses them, and reveals only in the picture layout, the one where the
// player shows them; answers without their typing traps (answer_typing.h),
// told as notices and warnings; a web site the player reads
// (site_check.h). Values the player does not use (a question's text outside
// the text layout, another layout's media, reveals of another mode or
// layout, second answers with reponses_par_question = 1, codes past the
// number of questions) stay in the source for the teacher to come back to:
// each key is told once with a warning, and the quiz builds without them.
//
// The other spellings a box accepts are checked as its answer is, and
// told when written twice or already right as the answer under the quiz's
// rules; with the rules, they make the quiz's QuizRules.
#pragma once

#include "authoring/source/problem.h"
#include "authoring/source/quiz_source.h"
#include "quiz/answer_rules.h"
#include "quiz/quiz_record.h"

#include <vector>

// Fills a freshly constructed record and rules with what can be converted
// (the first MAX_QUESTIONS questions) and appends every problem; returns
// whether there were no errors.
bool CheckQuizSource(const QuizSource& source, QuizRecord& record, QuizRules& rules,
                     std::vector<Problem>& problems);
