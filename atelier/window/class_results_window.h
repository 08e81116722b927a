// "Bilan de la classe": a window of its own, owned by the atelier's, for the
// quiz open in the atelier, checked as it stands. The teacher adds the work
// the pupils handed in (files or folders dropped on it, chosen in the open
// dialog, or a text pasted from a message); each addition grades the whole
// class again with the quiz's answers and rules. It shows the files set
// aside, a table pupil by question, each question's success rate, charts
// and the most frequent wrong answers; it exports the results for a
// spreadsheet and as a page to print.
#pragma once

#include <windows.h>

// Opens the window, or brings it back with the quiz as it stands now (the
// work added so far graded again). A quiz that does not check is told, with
// its problems in the atelier's list.
void OpenClassResults();

// The window's keys and the Tab key between its controls; true when the
// message was one of them.
bool IsClassResultsMessage(MSG& message);

// The window, or nullptr when it is closed.
HWND ClassResultsWindow();
