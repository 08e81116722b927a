// Modules carrying chosen resources, as the authoring tool writes them: for
// the loader's tests, and quiz executables for the player's; and what every
// Windows test reads back: files and window texts.
#pragma once

#include "quiz/quiz_record.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

struct ResourceEntry {
    std::string type;
    int id;
    std::vector<unsigned char> data; // none: an empty resource
};

// A path in the temporary directory, unique to this process, ending in name.
std::string TemporaryPath(const char* name);

// A file's bytes, such as those the player writes; none when it is missing.
std::string FileText(const std::string& path);

// A window's text (a caption, a label, a box), read across processes too.
std::string WindowText(HWND window);

// Copies templatePath to path and adds the resources to the copy.
bool WriteModuleCopy(const std::string& templatePath, const std::string& path,
                     const std::vector<ResourceEntry>& resources);

// A quiz titled "Les capitales" by "Léa", of questions "Quelle ville ?"
// answered "Paris" (and "France" as second answer), with codes "CODE1"...
std::unique_ptr<QuizRecord> MakeQuiz(int layout, int questions, int answers, int reveal);

std::vector<unsigned char> LzwCoded(const std::vector<unsigned char>& plain);

// "PATCH" 104 and 105 for a quiz record.
std::vector<ResourceEntry> QuizResources(const QuizRecord& quiz);
