// The player's process-wide state: one of each per process, used on the
// user-interface thread only.
#pragma once

#include "quiz/answer_rules.h"
#include "quiz/quiz_record.h"

#include <windows.h>

#include <unknwn.h>

#include <string>
#include <vector>

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
// A quiz whose pupils hand in their work: its key (quiz/pupil_results.h),
// empty when it asks for none, and the name of the pupil playing it, UTF-8,
// empty until given.
extern std::vector<unsigned char> g_workKey;
extern std::string g_pupilName;
