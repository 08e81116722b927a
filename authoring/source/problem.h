// A problem found in a quiz source, and how it is told: the file, the line
// and column, the key it concerns and what is wrong, in French.
//
//   quiz.toml:12:11: question 4, reponse : le caractère « | » est interdit
//
// Line 0 means the problem belongs to the whole file (payload sizes, say).
// Only errors stop a build; warnings and notices are told beside what was
// built, so that the maker sees what the pupil will meet.
#pragma once

#include <string>
#include <vector>

struct SourcePlace {
    int line = 0;
    int column = 0;
};

enum class Severity {
    Error,   // the quiz cannot be built
    Warning, // built, but probably not what the maker meant
    Notice,  // built after a change the maker should know of
};

struct Problem {
    SourcePlace place;
    std::string subject; // "titre", "question 4, reponse"; may be empty
    std::string message;
    Severity severity = Severity::Error;
};

// "« text »", as French messages quote names and values.
std::string Quoted(const std::string& text);

std::string FormatProblem(const std::string& fileName, const Problem& problem);

size_t CountErrors(const std::vector<Problem>& problems);

// Orders problems as they stand in the file; whole-file problems come last.
void SortProblems(std::vector<Problem>& problems);
