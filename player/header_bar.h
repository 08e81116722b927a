// The strip of labels above the question panel: score, code, title and
// explanation, the maker's link and the author. Built once, at main-window
// creation; afterwards only the score and code labels change.
#pragma once

#include <windows.h>

// Control identifiers. Several labels share HEADER_LABEL_ID: the score label
// is created first, so a lookup of that identifier finds it.
constexpr int SCORE_FRAME_ID = 1;
constexpr int CODE_FRAME_ID = 2;
constexpr int TITLE_FRAME_ID = 3;
constexpr int LINK_FRAME_ID = 4;
constexpr int HEADER_LABEL_ID = 150;
constexpr int SCORE_LABEL_ID = HEADER_LABEL_ID;
constexpr int CODE_CAPTION_ID = 151;
constexpr int LINK_LABEL_ID = 154;
constexpr int CODE_LABEL_ID = 157;
// Only in a quiz whose pupils hand in their work.
constexpr int HAND_IN_BUTTON_ID = 158;
constexpr int NEW_PUPIL_BUTTON_ID = 159;

constexpr COLORREF HEADER_BACKGROUND = RGB(128, 128, 255);
constexpr COLORREF LINK_TEXT_COLOUR = RGB(50, 50, 255);

// Creates the twelve header controls on the main window, in their order,
// and the buttons "Rendre mon travail" and "Nouvel élève" when the quiz
// asks for work: in the title's frame, right of the title, where nothing
// else stands.
void BuildHeaderBar(HWND mainWindow);

// The address the link opens: the quiz's own web site, or the player's.
const char* LinkAddress();
