// The main window: the header bar, the version label and the question panel,
// which it keeps laid out, feeds with scroll requests and colours.
#pragma once

#include "quiz/quiz_record.h"

#include <windows.h>

constexpr const char* MAIN_WINDOW_CLASS = "WindowsApp";
constexpr int MAIN_WINDOW_WIDTH = 870;
constexpr int MAIN_WINDOW_HEIGHT = 650;
constexpr int VERSION_LABEL_ID = 8000;
constexpr COLORREF VERSION_BACKGROUND = RGB(212, 208, 200);

// The panel's place in the main window's client area.
constexpr int PANEL_LEFT = 5;
constexpr int PANEL_TOP = 50;

// A scroll code the panel does not act on, sent for keys that do not scroll.
constexpr WORD NO_SCROLL_CODE = 65535;

bool RegisterMainWindowClass();

// Creates the main window with the quiz's title; its creation builds the
// header bar and sets ContentWidth and ContentHeight.
HWND CreateMainWindow();

// The panel's size in the main window: the client area below the header bar
// and above the version label.
SIZE PanelSize(HWND mainWindow);

// Moves the window to the middle of the desktop, keeping its size.
void CentreOnDesktop(HWND window);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
