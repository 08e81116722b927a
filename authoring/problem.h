// A problem found in a quiz source, and how it is told: the file, the line
// and column, the key it concerns and what is wrong, in French.
//
//   quiz.toml:12:11: question 4, reponse : le caractère « | » est interdit
//
// Line 0 means the problem belongs to the whole file (payload sizes, say).
#pragma once

#include <string>
#include <vector>

struct SourcePlace {
    int line = 0;
    int column = 0;
};

struct Problem {
    SourcePlace place;
    std::string subject; // "titre", "question 4, reponse"; may be empty
    std::string message;
};

// "« text »", as French messages quote names and values.
std::string Quoted(const std::string& text);

std::string FormatProblem(const std::string& fileName, const Problem& problem);

// Orders problems as they stand in the file; whole-file problems come last.
void SortProblems(std::vector<Problem>& problems);
