// The problems that the check finds, as `quizzpack check` tells them, in a
// list that follows every change: its severity, the field it concerns and
// what to do. Activating a problem (double click, Entrée) selects its field,
// its question first, which the window is told to show (pane_messages.h).
// The problem chosen, or the first, shows whole under the list.
#pragma once

#include "authoring/source/problem.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

// Columns and icons, once.
void PrepareProblemList();

// The list and its group's caption ("Problèmes : 2 erreurs"), when they
// changed.
void ShowProblems(const std::vector<Problem>& problems);

// The problems shown.
const std::vector<Problem>& ShownProblems();

LRESULT OnProblemListNotify(const NMHDR& header);

// Entrée on the list, which the dialog keys give the window: selects the
// field of the problem selected.
void ActivateSelectedProblem();
