// The atelier's process-wide state, used on the user-interface thread only:
// the quiz being edited, the question shown, the window and its font, the
// texts of its controls as UTF-8 and the status bar's.
#pragma once

#include "atelier/document/quiz_document.h"

#include <windows.h>

#include <string>

constexpr const wchar_t* ATELIER_WINDOW_CLASS = L"AtelierQuizz";
constexpr const wchar_t* ATELIER_NAME = L"Atelier Quizz";

extern HINSTANCE g_instance;
extern HWND g_mainWindow;
extern QuizDocument g_document;
extern int g_current;  // the question shown, -1 for none
extern HFONT g_font;   // the system's message font, for every control
extern bool g_filling; // controls being filled from the document: not the teacher's changes

HWND Control(int id);

// The status bar's message.
void SetStatus(const std::wstring& text);

// The quiz's colour, as COLORREF.
COLORREF QuizColour();

// A control's text as UTF-8, and set from UTF-8.
std::string ControlText(int id);
void SetControlText(int id, const std::string& utf8);

// Gives a control the keyboard focus; the text of a one-line field is
// selected, to be typed over.
void FocusField(HWND control);

// The text of a count: "1 erreur", "3 erreurs".
std::wstring Counted(size_t count, const wchar_t* one, const wchar_t* many);
