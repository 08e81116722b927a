// The fields of the question shown: its answers, text, medium and reveals,
// its picture as the player will show it (or its sound or film to play), and
// answers to try, each graded by the player's own code and shown in the
// colour the player gives its verdict.
#pragma once

#include "atelier/window/live_check.h"

#include <windows.h>

#include <string>

// Fills the fields from question g_current (none for -1).
void ShowQuestionFields();

// A command of one of the fields: true when it was one.
bool OnQuestionFieldCommand(int id, int code);

// Grades the answers to try again, the quiz having changed.
void UpdateTrial();

// Asks for the preview of the question's picture again (the colour or the
// file changed).
void RefreshPreview();

void OnPreviewed(const PreviewResult& result);

// The brush of a coloured static, the colour sample or a verdict label;
// nullptr for any other.
HBRUSH ColouredStaticBrush(HDC dc, HWND control);

// Sets the medium (or, with reveal, the reveal picture) of a question to a
// file the teacher chose or dropped.
void SetQuestionMedium(int index, const std::string& file, bool reveal);
