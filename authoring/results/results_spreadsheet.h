// The class's results as a spreadsheet a French Excel or LibreOffice opens
// as it is: CSV with ";" between cells and decimal commas, UTF-8 with its
// byte order mark, CR LF. A row per pupil (name, date, score, then per box
// what was typed and its verdict), then a row of each question's success
// rate.
#pragma once

#include "authoring/results/class_results.h"

#include <string>

std::string ClassResultsSpreadsheet(const QuizRecord& quiz, const ClassResults& results);
