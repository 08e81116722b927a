// The document shown in the atelier's window: what every pane calls when the
// teacher changes something, so that the title bar, the question list, the
// check and the trial follow.
#pragma once

#include "atelier/document/quiz_document.h"

#include <windows.h>

#include <string>

constexpr UINT_PTR CHECK_TIMER = 1;
constexpr UINT CHECK_DELAY_MS = 250; // after the last key, before checking

// Fills every control from g_document, shows its first question and checks
// it.
void ShowDocument();

// The document changed: the title bar tells it, the check runs again soon.
void NoteChange();

// Runs the check now (the timer's end).
void CheckNow();

// Whether a check's result is of the document shown (not of one before).
bool IsOfThisDocument(unsigned revision);

// Shows a question's fields (-1 for none) and selects its row.
void SelectQuestion(int index);

// "*animaux.toml – Atelier Quizz".
void UpdateTitleBar();

// The status bar's message.
void SetStatus(const std::wstring& text);

// The quiz's colour, as COLORREF.
COLORREF QuizColour();
