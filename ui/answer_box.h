// The answer boxes: "Edit" controls subclassed so that leaving or confirming
// a box grades it.
#pragma once

#include <windows.h>

// The "Edit" class procedure, saved when the boxes are subclassed: it
// handles everything the boxes do not take themselves.
extern WNDPROC EditClassProc;

LRESULT CALLBACK AnswerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
