// The player's process-wide state: one of each per process.
#pragma once

#include "quiz/quiz_record.h"

#include <windows.h>

extern HINSTANCE g_instance;
extern QuizRecord* g_quiz;
