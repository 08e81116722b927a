// The question panel: a child dialog of the main window, from template
// PANEL_TEMPLATE, that holds one cell per question and scrolls them.
#pragma once

#include <windows.h>

// Creates the panel on the main window; it builds its cells as it is created.
HWND CreatePanel(HWND mainWindow);

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
