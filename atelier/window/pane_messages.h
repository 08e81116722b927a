// What a pane tells the atelier's window, which then refreshes the other
// panes (atelier_window.cpp, editor.cpp): no pane calls another, as the
// live check reports with WM_CHECKED. They are sent, not posted, so that
// what the teacher types shows in the title bar, the question list and the
// trial before the keystroke's own message returns.
#pragma once

#include <windows.h>

// A field of the quiz changed in the document. wParam: the field's control
// identifier (IDC_LAYOUT, IDC_REVEAL and IDC_TWO_ANSWERS change the rows in
// use; IDC_COLOUR_PICK the colour).
constexpr UINT WM_QUIZ_FIELD_CHANGED = WM_APP + 20;

// A field of a question changed in the document. wParam: the question's
// index; lParam: the field's control identifier.
constexpr UINT WM_QUESTION_CHANGED = WM_APP + 21;

// Questions added, deleted, put back or moved, the list already showing
// them. wParam: the question to show (-1 for none).
constexpr UINT WM_QUESTIONS_CHANGED = WM_APP + 22;

// The teacher chose another question (a row, a problem). wParam: its index.
constexpr UINT WM_QUESTION_CHOSEN = WM_APP + 23;

// The teacher went to a picture's field: the preview shows that picture.
// wParam: TRUE for the reveal picture's, FALSE for the question's.
constexpr UINT WM_PICTURE_FIELD_CHOSEN = WM_APP + 24;

// Play or Stop pressed. wParam: TRUE to play the question's sound or film.
constexpr UINT WM_PLAY_CHOSEN = WM_APP + 25;

// g_document was replaced (a recovered copy): everything shows it.
constexpr UINT WM_DOCUMENT_REPLACED = WM_APP + 26;
