// The player's process-wide state: one of each per process, used on the
// user-interface thread only.
#pragma once

#include "quiz/answer_rules.h"
#include "quiz/quiz_record.h"

#include <windows.h>

#include <unknwn.h>

// AtlAxAttachControl of "atl.dll": hosts a COM control in a window.
using AtlAxAttachControlFunction = HRESULT(WINAPI*)(IUnknown* control, HWND host,
                                                    IUnknown** container);

extern HINSTANCE g_instance;
extern QuizRecord* g_quiz;
extern const QuizRules* g_rules; // the quiz's rules of accepted answers; nullptr: none
extern HWND g_panel;             // none until start-up creates it
extern int ContentWidth;         // the panel's scrollable content, pixels
extern int ContentHeight;        // 0 until the main window exists
extern AtlAxAttachControlFunction g_atlAxAttachControl; // video quizzes only
