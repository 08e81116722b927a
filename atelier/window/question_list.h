// The list of the quiz's questions: a row each, with its number, its
// answers and its medium's name (or its text, in the text layout). It tells
// the window (pane_messages.h) of the row the teacher selects, which the
// window shows, and of questions added, deleted or moved; Suppr deletes one.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

// Columns, once.
void PrepareQuestionList();

// Every row again, the selection on g_current.
void FillQuestionList();

// One row's texts again.
void UpdateQuestionRow(int index);

// Selects a row (-1 for none) without telling the window of it.
void SelectQuestionRow(int index);

LRESULT OnQuestionListNotify(const NMHDR& header);

// The Questions menu's commands, and the list's buttons: true when it was
// one of them.
bool OnQuestionCommand(int id);

// Questions for files: one each, after the question shown (or at the end);
// the files the layout does not take are told.
void AddQuestionsForFiles(const std::vector<std::string>& files, int after);

// The question under a point of the screen, -1 when it is over the list but
// no row, -2 when it is not over the list at all.
int QuestionAtPoint(POINT screen);
