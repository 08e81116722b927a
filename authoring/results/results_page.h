// The class's results as one printable web page (UTF-8, no script, nothing
// fetched): the problems, the table pupil by question in the player's
// colours with what was typed, the scores, each question's success rate and
// most frequent wrong answers, and two charts drawn in SVG (success rate per
// question, scores across the class).
#pragma once

#include "authoring/results/class_results.h"

#include <string>

std::string ClassResultsPage(const QuizRecord& quiz, const ClassResults& results);
