// The atelier's controls: made in the order that the Tab key follows, in
// the system's message font, and laid out from that font's size whenever the
// window's size changes. Three groups stand side by side above the problems:
// the quiz's fields on the left; on the right the question list above the
// fields of the question shown, beside its picture as the player shows it.
// Rows that the layout, the reveal mode or one answer a question leave unused
// are hidden.
#pragma once

#include "authoring/source/quiz_field_table.h"

#include <windows.h>

#include <initializer_list>

// Makes every control of the window, hidden rows included.
void CreateEditorControls(HWND window);

// Places the controls in the client area, and shows the rows in use.
void LayOutEditor(HWND window);

// The window's smallest size, for its frame to keep.
SIZE SmallestEditorSize(HWND window);

// The window's first size: what the controls want, within the screen.
SIZE FirstEditorSize(HWND window);

struct ListColumn {
    const wchar_t* title;
    int characters; // its width, in the font's average characters
    bool right = false;
};

// A list of the window as both the atelier's lists are: rows selected whole,
// these columns.
void PrepareList(int listId, std::initializer_list<ListColumn> columns);

// The label of the medium field ("&Image :", "&Son :", "&Vidéo :") and the
// enabled state of the fields that depend on other fields.
void UpdateFieldStates();

// The control of a quiz-level field, or 0: IDC_QUIZ_GROUP plus its row's
// control (the portable table knows no identifier of the window).
int QuizRowControl(const QuizFieldRow& row);
int QuizFieldControl(QuizField field);
