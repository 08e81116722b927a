// The answer boxes: "Edit" controls subclassed so that leaving or confirming
// a box grades it.
#pragma once

#include <windows.h>

// The "Edit" class procedure, saved when the boxes are subclassed: it
// handles everything the boxes do not take themselves.
extern WNDPROC EditClassProc;

// Selected when a box gets the focus, so that typing replaces the answer.
constexpr int SELECTION_ON_FOCUS = 25;

LRESULT CALLBACK AnswerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
