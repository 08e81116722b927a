// The class's results as a table, a list in report mode: a row per pupil
// (name, score, then a cell per box: what was typed, on the colour of its
// verdict as the player shows it), an altered pupil's row greyed and
// marked "(modifié)"; the last row each question's success rate. A cell is
// chosen with the mouse or the arrow keys; the window tells it whole.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

// The columns for the quiz, and the arrows that move between cells.
void PrepareResultsTable(HWND list);
// The rows from the results, the chosen cell kept when it still stands.
void FillResultsTable(HWND list);
LRESULT OnResultsTableNotify(HWND list, const NMHDR& header);

// The chosen cell, whole: who, which question and box, what was typed and
// its verdict; or the pupil's score and when and whence the work came.
std::wstring ChosenCellText();
