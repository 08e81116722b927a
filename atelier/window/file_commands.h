// The quiz's files, as the File menu offers them: a new quiz, a source, a
// quiz program or page opened (a program or page is extracted first, into a
// folder the teacher chooses), a table or GIFT file imported, the quiz saved,
// tried in the player or the browser, and created as a program or a web
// page; and the question asked before unsaved changes would go. Every failure is told, with what to
// do, and leaves the teacher's work where it was. What it opens or saves is shown through the
// window's coordination (editor.h).
#pragma once

#include <string>

void NewQuiz();
void OpenQuiz();

// A source (.toml), a quiz program (.exe) or page (.html) or a table to import, by its
// extension; asks first about unsaved changes.
void OpenQuizFile(const std::string& path);

void ImportQuestions();

// False when the quiz was not saved (the teacher cancelled, or it failed).
bool SaveQuiz();
bool SaveQuizAs();

// The program, built as `quizzpack build` builds it from the saved source.
void CreateQuizProgram();

// The page, built as `quizzpack page` builds it from the saved source,
// written whole or not at all.
void CreateQuizPage();

// F5: the quiz as it stands, saved or not, in the player.
void TryQuiz();

// Maj+F5: the quiz as it stands as a web page, in the default browser.
void TryQuizPage();

// Whether the document may go: unchanged, saved, or its changes given up.
bool ConfirmDiscardChanges();
