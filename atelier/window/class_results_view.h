// What the class's results window shows, shared by its panes: the quiz as
// it was checked when the window opened (its answers and rules grade the
// work), the work added so far, and what GradeClass made of it. The panes
// only show it; the verdicts, scores and figures all come from the core.
#pragma once

#include "authoring/results/class_results.h"
#include "quiz/answer_rules.h"
#include "quiz/quiz_record.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

struct ClassResultsView {
    HWND window = nullptr;
    std::unique_ptr<QuizRecord> quiz;
    QuizRules rules;
    bool handIn = false; // the quiz asks its pupils for their work
    std::vector<HandedIn> handedIn;
    std::vector<std::string> paths;        // per HandedIn, its file; "" for a pasted text
    std::vector<std::string> readProblems; // files that could not be read, one line each
    int pasted = 0;                        // texts pasted so far, to name the next
    ClassResults results;
    int row = -1;    // the pupil chosen in the table; the success rates' row past them
    int column = -1; // the table's column chosen: name, score, then a box each
};

extern ClassResultsView g_classResults;

// The table's columns before the boxes: the pupil's name, the score.
constexpr int FIRST_BOX_COLUMN = 2;

int BoxesPerQuestion(const QuizRecord& quiz);

// The question of a table column, or -1 for the name and score.
int QuestionOfColumn(int column);
