#include "authoring/source/problem.h"

#include <algorithm>

std::string Quoted(const std::string& text)
{
    return u8"« " + text + u8" »";
}

std::string FormatProblem(const std::string& fileName, const Problem& problem)
{
    std::string text = fileName;
    if (problem.place.line > 0)
        text +=
            ":" + std::to_string(problem.place.line) + ":" + std::to_string(problem.place.column);
    text += ": ";
    if (problem.severity == Severity::Warning)
        text += "attention : ";
    else if (problem.severity == Severity::Notice)
        text += "note : ";
    if (!problem.subject.empty())
        text += problem.subject + " : ";
    return text + problem.message;
}

size_t CountErrors(const std::vector<Problem>& problems)
{
    return std::count_if(problems.begin(), problems.end(),
                         [](const Problem& p) { return p.severity == Severity::Error; });
}

void SortProblems(std::vector<Problem>& problems)
{
    auto key = [](const Problem& p) {
        return std::make_pair(p.place.line > 0 ? p.place.line : 1 << 30, p.place.column);
    };
    std::stable_sort(problems.begin(), problems.end(),
                     [&](const Problem& a, const Problem& b) { return key(a) < key(b); });
}
