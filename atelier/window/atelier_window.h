// The atelier's window: its menu, its keys, the files dropped on it, and the
// messages of its controls, each passed to the pane that owns the control.
// The panes tell it what they changed (pane_messages.h), and it refreshes
// the others with its own coordination (editor.h).
#pragma once

#include <windows.h>

bool RegisterAtelierWindowClass();

// Creates the window, sized to its content within the screen.
HWND CreateAtelierWindow();

LRESULT CALLBACK AtelierWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
