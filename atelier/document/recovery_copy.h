// The recovery copy: what the atelier writes of the document a few seconds
// after each change, so that a crash or a killed process loses those seconds
// at most, and the next atelier offers the work back. Each running atelier
// has its own file, named after its process (its id and its start, so that
// a later process given the same id never takes it for its own), in a folder
// of the teacher's own, never beside the quiz.
//
// The file, UTF-8: the line "QUIZZ-RECUPERATION 1"; lines "key=value" (the
// process, when it was written, the quiz's title, its file and folder, the
// media it names); "texte=N", then the N bytes of the source text as saving
// writes it; then the line "FIN". What does not hold all of that (a copy cut
// short, damaged, another program's file) is no copy: it is never offered,
// and never read past its end. The media stay files on disk: the folder in
// the copy is where the source's relative paths start.
#pragma once

#include "atelier/document/quiz_document.h"

#include <functional>
#include <string>
#include <vector>

struct RecoveryCopy {
    unsigned long processId = 0;
    unsigned long long processStart = 0; // as the platform counts it
    std::string savedAt;                 // "2026-12-07 23:40:05", local time
    std::string title;                   // the quiz's, for the teacher to know it
    std::string path;                    // the source file; "" for a quiz never saved
    std::string folder;                  // where its relative media paths start
    std::string nameHint;                // the name an unsaved quiz is offered under
    std::vector<std::string> media;      // the files it names, whole paths
    std::string sourceText;              // as saving writes it
    std::string file;                    // where the copy was found
};

// The copy of a document, made by a process at a time.
RecoveryCopy CopyOfDocument(const QuizDocument& document, unsigned long processId,
                            unsigned long long processStart, const std::string& savedAt);

// The file's name for a process: "atelier-1234-133472...recup".
std::string RecoveryCopyName(unsigned long processId, unsigned long long processStart);

std::string RecoveryCopyText(const RecoveryCopy& copy);

// False, copy unchanged, when text is not a whole copy.
bool ReadRecoveryCopy(const std::string& text, RecoveryCopy& copy);

// Writes the copy into folder (made if need be) under its process's name,
// replacing the last one whole: a copy is never half written. False with a
// French error.
bool WriteRecoveryCopy(const std::string& folder, const RecoveryCopy& copy, std::string& error);

// Whether the process that wrote a copy still runs: the platform's to say.
using ProcessRunning =
    std::function<bool(unsigned long processId, unsigned long long processStart)>;

// The copies in folder whose atelier no longer runs, the latest first.
std::vector<RecoveryCopy> FindRecoveryCopies(const std::string& folder,
                                             const ProcessRunning& running);

// The document a copy gives back: modified and unsaved, with its file's path
// so that saving puts it where it was. fileText is what that file holds now
// ("" when there is none), which saving compares with as for an opened file.
// False when the copy's text is no quiz source.
bool RecoveredDocument(const RecoveryCopy& copy, const std::string& fileText,
                       QuizDocument& document);

// "le 07/12/2026 à 23:40", from savedAt.
std::string FrenchMoment(const std::string& savedAt);
