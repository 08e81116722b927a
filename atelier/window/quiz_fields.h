// The quiz's own fields: its texts, layout, reveal mode, colour, answers per
// question, web site, icon and codes.
#pragma once

#include "authoring/source/quiz_field_table.h"

// The control of a quiz-level field (quiz_field_table.h), or 0.
int QuizFieldControl(QuizField field);

// Fills the fields from g_document.
void ShowQuizFields();

// A command of one of the fields: true when it was one.
bool OnQuizFieldCommand(int id, int code);
