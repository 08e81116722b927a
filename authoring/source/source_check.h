// The rules between the values of a quiz source, and its conversion into the
// player's record: every text Windows-1252, without "|" (the payload's
// separator) nor control characters, 259 bytes at most; 1 to 90 questions;
// a second answer on every question or on none; the medium key of the
// layout on every question and no other; reveal texts and pictures exactly
// when the reveal mode uses them, and reveals only in the picture layout, the
// one where the player shows them; answers without their typing traps
// (answer_typing.h), told as notices and warnings; a web site the player
// reads (site_check.h). Values the player would never receive are errors
// rather than dropped, but for codes past the number of questions, dropped
// with a warning; a question's text outside the text layout, which the
// player does not show, is kept with a warning.
#pragma once

#include "authoring/source/problem.h"
#include "authoring/source/quiz_source.h"
#include "quiz/quiz_record.h"

#include <vector>

// Fills a freshly constructed record with what can be converted (the first
// MAX_QUESTIONS questions) and appends every problem; returns whether there
// were no errors.
bool CheckQuizSource(const QuizSource& source, QuizRecord& record, std::vector<Problem>& problems);
