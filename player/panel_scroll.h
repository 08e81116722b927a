// Scrolling the question panel: its scroll bars cover ContentWidth x
// ContentHeight, and scrolling moves the children with the content.
#pragma once

#include <windows.h>

// Pixels per scroll unit.
constexpr int ScrollUnit = 1;

// The visible size of the panel in scroll units, capped at the content size.
extern int PageWidth;
extern int PageHeight;

// Recomputes the page sizes and both scroll bars from the panel's size.
void UpdateScrollExtents(HWND panel);

// Moves the content of one bar (SB_HORZ or SB_VERT) to a position, clamped
// to the bar's range.
void ScrollPanelTo(HWND panel, int bar, int position);

// Handles WM_VSCROLL (bar SB_VERT) and WM_HSCROLL (SB_HORZ) requests.
void ScrollPanel(HWND panel, int bar, WORD request);

// Keeps the content in step when the panel's size changes.
void ResizePanel(HWND panel);

// Scrolls just enough for the control and its neighbour (its verdict label)
// to be in full view, so nobody types into a box they cannot see.
void ScrollIntoView(HWND panel, HWND control, HWND neighbour);

// A wheel message's single notches become line scrolls posted to the panel;
// any other delta (several notches at once, fine-grained wheels) does nothing.
void PostWheelScroll(HWND panel, WPARAM wheelParam);
