// Quiz sources for the tests, and what reading and building them reports.
#pragma once

#include "authoring/placeholder_media.h"
#include "authoring/quiz_resources.h"
#include "authoring/source_reader.h"

#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;
using MediaFiles = std::map<std::string, Bytes>;

inline Bytes Jpeg()
{
    return {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
}

inline MediaReader FromMemory(const MediaFiles& files)
{
    return [&files](const std::string& path, Bytes& bytes, std::string& reason) {
        auto found = files.find(path);
        if (found == files.end()) {
            reason = "fichier introuvable";
            return false;
        }
        bytes = found->second;
        return true;
    };
}

// Reads and builds text as quizzpack check does; the problems as it prints
// them, one a line.
inline std::string ProblemsOf(const std::string& text, const MediaFiles& media,
                              std::vector<QuizResource>* resources = nullptr)
{
    QuizSource source;
    std::vector<Problem> problems;
    std::vector<QuizResource> built;
    if (ReadQuizSource(text, source, problems))
        BuildQuizResources(source, FromMemory(media), built, problems);
    if (resources)
        *resources = built;
    std::string lines;
    for (const Problem& problem : problems)
        lines += FormatProblem("q.toml", problem) + "\n";
    return lines;
}

// A text quiz of two questions that has no problem.
inline const char* const TEXT_QUIZ = "titre = \"T\"\n"
                                     "disposition = \"texte\"\n"
                                     "[[question]]\n"
                                     "reponse = \"a\"\n"
                                     "texte = \"q\"\n"
                                     "[[question]]\n"
                                     "reponse = \"b\"\n"
                                     "texte = \"r\"\n";

// A fresh folder under the system's temporary folder, removed with all it
// holds at the end of the test.
#include <cstdlib>
#include <filesystem>

struct TempFolder {
    std::string path;
    TempFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quizzpack-XXXXXX").string();
        path = mkdtemp(&pattern[0]);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// Every file under a folder, relative to it, with its size.
inline std::map<std::string, uintmax_t> Listing(const std::string& folder)
{
    std::map<std::string, uintmax_t> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        files[std::filesystem::relative(entry.path(), folder).string()] =
            entry.is_regular_file() ? entry.file_size() : 0;
    return files;
}
