// What `quizzpack importer` tells once the source is written: what it was
// made from, what was left out or changed on the way, and what remains to do
// before building, the problems that `check` finds in it included (in the
// form `check` gives them, on err).
#pragma once

#include "authoring/import/quiz_import.h"
#include "authoring/source/problem.h"

#include <string>
#include <vector>

void TellImport(const ImportedQuiz& quiz, const std::string& importedFile,
                const std::string& sourceFile, const std::vector<Problem>& problems,
                std::string& out, std::string& err);
