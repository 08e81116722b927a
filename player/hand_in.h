// The work a pupil hands in, in a quiz that asks for it (g_workKey not
// empty): the pupil's name asked at start, "Rendre mon travail" (a results
// file saved where the pupil chooses, or its text copied to paste into a
// message) and "Nouvel élève" (the boxes emptied for the next pupil).
#pragma once

#include <windows.h>

#include <string>

// At start, before the panel reads the answers file: asks the pupil's name,
// prefilled with the remembered one. Another name is another pupil: the
// answers file is emptied, so that the boxes start empty. Cancelled, the
// player opens all the same; the name is asked at hand-in.
void AskPupilAtStart();

// "Rendre mon travail": the dialog with the name, to save or copy the work.
void HandInWork(HWND mainWindow);

// "Nouvel élève": once confirmed, every box emptied as at a fresh start, the
// answers file emptied, the name forgotten, and the next pupil's asked.
void StartNewPupil(HWND mainWindow);

// Writes the results file at path, whole or not at all, and tells the pupil
// where it is, or why it could not be written and what to do.
bool SaveResultsFile(HWND panel, const std::string& name, const std::wstring& path);

// Alt+R and Alt+N, when the quiz asks for work: sent to mainWindow as its
// buttons' commands. True when message was one of them.
bool TranslateHandInKeys(HWND mainWindow, MSG& message);
