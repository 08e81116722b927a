// The class's figures drawn: each question's success rate as a bar (the
// chosen question's darker), and the scores across the class as a
// histogram; below them, in a field of its own, the chosen question's most
// frequent wrong answers.
#pragma once

#include <windows.h>

#include <string>

bool RegisterResultsChartsClass();
constexpr const wchar_t* RESULTS_CHARTS_CLASS = L"QuizzResultsCharts";

// The most frequent wrong answers of the chosen question, lines ending in
// CR LF; or what to choose to see them.
std::wstring WrongAnswersText();
