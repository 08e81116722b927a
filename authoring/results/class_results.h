// The class's work read back against the teacher's quiz: every result handed
// in (quiz/pupil_results.h) graded again from its typed answers with the
// quiz's own answers and rules, so that the verdicts are the teacher's quiz's
// and not the pupil's copy's; each pupil's score, each question's success
// rate and its most frequent wrong answers. A file that cannot be counted is
// told in one line and the rest of the class is still shown.
#pragma once

#include "quiz/answer_rules.h"
#include "quiz/quiz_record.h"

#include <string>
#include <vector>

// What the teacher dropped or pasted: a file's name and its bytes, or a
// pasted text (named "texte collé 1", ...), which may hold several blocks.
struct HandedIn {
    std::string name; // UTF-8, as shown in the one-line problems
    std::string text;
};

struct PupilRow {
    std::string name; // UTF-8, as the pupil typed it
    std::string date; // UTF-8, as the device told it
    std::string from; // the HandedIn it came from
    // Its check is not the quiz's key: shown and marked, never counted in
    // the class's figures.
    bool altered = false;
    std::vector<std::string> typed;    // per box, Windows-1252, as handed in
    std::vector<const char*> verdicts; // per box: one of the VERDICT_ texts
    std::vector<bool> solved;          // per question
    int score = 0;                     // questions solved
};

struct WrongAnswer {
    std::string typed; // Windows-1252, as typed (spaces around it dropped)
    int count = 0;     // pupils counted who typed it
};

struct QuestionFigures {
    int solved = 0; // pupils counted who solved it
    // Per box, the most frequent wrong answers (not BRAVO, not empty), most
    // frequent first, at most MOST_FREQUENT_WRONG.
    std::vector<std::vector<WrongAnswer>> wrong;
};

constexpr size_t MOST_FREQUENT_WRONG = 3;

struct ClassResults {
    std::vector<PupilRow> pupils;           // by name, then date
    int counted = 0;                        // pupils not altered: the figures' base
    std::vector<QuestionFigures> questions; // in the quiz's order
    // One French line per result set aside or marked: another quiz's, a
    // damaged file, the same pupil twice (the latest kept), altered, a quiz
    // whose boxes changed since; "<from> : <what, and what to do>".
    std::vector<std::string> problems;
};

// Reads every HandedIn (a file, or a text holding blocks), keeps those of
// this quiz (its key: WorkKey of its title), grades them again.
ClassResults GradeClass(const QuizRecord& quiz, const QuizRules& rules,
                        const std::vector<HandedIn>& handedIn);

// The class in a line, UTF-8: "28 élèves comptés, moyenne 2,4 sur 4
// (60 %)", and how many were altered by hand.
std::string ClassSummary(const QuizRecord& quiz, const ClassResults& results);
