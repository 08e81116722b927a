// Saving a quiz in the atelier: the source file and its media folder, so
// that the folder holds the whole quiz, as quizzpack reads it.
//
// A medium that lies outside the folder of the file being written (a photo
// picked in the Pictures folder, or the media of the quiz's old folder at
// "save as") is copied into MEDIA_FOLDER beside it, under its own name, or
// with "-2", "-3"... when another file already has that name; the same file
// is copied once. A medium that cannot be read keeps its path, which the
// check then names: a missing picture never stops the texts being saved.
// The source replaces the old file only once complete; a file that the
// atelier did not write (its comments are about to go) is first kept under
// a new name beside it.
#pragma once

#include "atelier/document/quiz_document.h"

#include <string>

constexpr const char* MEDIA_FOLDER = "medias";

struct SaveReport {
    int copiedMedia = 0;  // media copied into the folder
    std::string keptCopy; // the hand-written file kept, or ""
};

// Writes the document at target (UTF-8); the document then names its media
// from there. False with the reason in French when nothing was saved: the
// document and the files are then as they were.
bool SaveDocument(QuizDocument& document, const std::string& target, SaveReport& report,
                  std::string& error);

// The name a hand-written file is kept under before the atelier first
// writes over it: "capitales (original).toml", or "(original 2)"...
std::string KeptCopyPath(const std::string& path);
