// The answers file: the text of every answer box, one line per box in
// identifier order, in the current directory, named after the program with
// "txt" for the last three letters (quiz.exe keeps its answers in quiz.txt).
// An empty box is written "*".
#pragma once

#include "quiz/quiz_record.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// The file name, without a directory, from the program's name as Windows
// keeps it: a name in any alphabet (Κουίζ.exe, Κουίζ.txt), which the ANSI
// calls would turn into question marks.
void AnswersFileName(wchar_t (&name)[MAX_PATH]);

// Reading while the panel builds its boxes: one line per box, in order.
struct SavedAnswers {
    FILE* file; // none when there is no file: every box starts empty
};

SavedAnswers OpenSavedAnswers();

// The next box's saved text, empty when the file has no more lines. Lines
// end at a line feed, CR LF or LF, whatever bytes they hold; a line fills
// exactly one box: what it holds past 259 characters is dropped.
void NextSavedAnswer(SavedAnswers& saved, char (&text)[TEXT_SIZE]);

void CloseSavedAnswers(SavedAnswers& saved);

// Every box's text as the box holds it (Windows-1252), in identifier order.
std::vector<std::string> BoxTexts(HWND panel);

// Writes every box's text into the answers file, whole or not at all
// (whole_file.h): when saving fails, the old answers stay and the user is
// told. False then.
bool SaveAnswers(HWND panel);

// Empties the answers file, so that the next start shows every box empty;
// whole or not at all. False when it could not: GetLastError() tells why.
bool EmptyAnswersFile();
