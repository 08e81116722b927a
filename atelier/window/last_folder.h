// Where the file dialogs start. The folder the teacher last opened or saved
// a quiz in, kept between
// sessions (the current user's registry, under Software\Quizz\Atelier): the
// Open dialog starts there, and so does saving a new quiz, as teachers keep
// their quizzes in one folder. The first time, their Documents.
#pragma once

#include <string>

// Where a quiz never saved starts: the teacher's Documents.
std::string DocumentsFolder();

// The folder remembered, if it is still there; else Documents.
std::string LastFolder();

// Remembers the folder that holds file.
void RememberFolderOf(const std::string& file);
