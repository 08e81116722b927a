// The window's own coordination: what follows a change that a pane reports
// to the window (pane_messages.h) or that a command makes, so that the title
// bar, the other panes, the check, the preview and the recovery copy show the
// document. The window and the commands call it; no pane does.
#pragma once

#include "atelier/document/quiz_document.h"
#include "atelier/window/live_check.h"

#include <windows.h>

constexpr UINT_PTR CHECK_TIMER = 1;
constexpr UINT CHECK_DELAY_MS = 250; // after the last key, before checking

// Fills every control from g_document, shows its first question and checks
// it.
void ShowDocument();

// The same document shown again, once saved: media copied in have their new
// names, the title bar its name without the star.
void ShowSavedDocument();

// The document changed: the title bar tells it, the check runs again soon.
void NoteChange();

// Runs the check now (the timer's end).
void CheckNow();

// Whether a check's result is of the document shown (not of one before).
bool IsOfThisDocument(unsigned revision);

// Shows a question's fields (-1 for none) and selects its row.
void SelectQuestion(int index);

// The rows in use follow the layout, the reveal mode and the answers per
// question: the window is laid out again, the list and the question shown
// again.
void Rearrange();

// Asks for the preview of the question's picture again (the colour or the
// file changed).
void RefreshPreview();

// The preview shows the reveal picture (or the question's own), from now on.
void PreviewRevealPicture(bool reveal);

void OnPreviewed(const PreviewResult& result);

// Plays the sound or film of the question shown, or tells why not.
void PlayQuestionMedium();

// "*animaux.toml – Atelier Quizz".
void UpdateTitleBar();
