// The fields of the question shown: its answers, text, medium and reveals,
// and answers to try, each graded by the player's own code and shown in the
// colour the player gives its verdict. It tells the window (pane_messages.h)
// of each change to the question, of the picture field the teacher is in and
// of Play and Stop; the window shows the rest (its row, the preview).
#pragma once

#include <windows.h>

#include <string>

// Fills the fields from question g_current (none for -1), and grades the
// answers to try against it.
void ShowQuestionFields();

// A command of one of the fields: true when it was one.
bool OnQuestionFieldCommand(int id, int code);

// Grades the answers to try again, the quiz having changed.
void UpdateTrial();

// The brush of a coloured static, the colour sample or a verdict label;
// nullptr for any other.
HBRUSH ColouredStaticBrush(HDC dc, HWND control);

// Sets the medium (or, with reveal, the reveal picture) of a question to a
// file the teacher chose or dropped.
void SetQuestionMedium(int index, const std::string& file, bool reveal);
