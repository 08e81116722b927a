// The quiz the player shows when its executable carries none.
#pragma once

#include "quiz/quiz_record.h"

// Declares 30 questions but holds 2: questions 3 to 30 reach the second one
// through QuestionAt's stopping rule.
void FillDemoQuiz(QuizRecord& quiz);
