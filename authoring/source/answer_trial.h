// Trying answers on a quiz as the player grades them, for quizzpack essai and
// the editor: the quiz is the record that a build would pack (texts in
// Windows-1252, answers without their typing traps), and the verdict and the
// reveal come from the grading the player calls (checking/question_grading.h),
// the question's other box holding its answer as stored. With the quiz's
// rules of accepted answers (quiz/answer_rules.h; none: nullptr), the trial
// also says which spelling the verdict came from and which rules made the
// answer right:
//   question 1 : « mont blanc » → BRAVO (accepté : « le Mont Blanc », articles facultatifs)
//
// A trial names its box as "N" (the first, or only, box of question N) or
// "N:2" (its second box); a trial line is "N réponse" or "N:2 réponse", the
// answer being everything after the one space (or tab) that follows the
// number. Lines may be UTF-8 or, when they are not, Windows-1252 (a file
// saved by an older Notepad); blank lines and lines starting with # are
// skipped. Messages are French and UTF-8.
#pragma once

#include "quiz/answer_rules.h"
#include "quiz/quiz_record.h"

#include <string>
#include <vector>

struct TrialTarget {
    int question = 0; // from 1
    int box = 1;      // 1 or 2
};

// Reads "N" or "N:B"; false with the reason when the quiz has no such box.
bool ParseTrialTarget(const std::string& text, const QuizRecord& quiz, TrialTarget& target,
                      std::string& error);

enum class TrialLine { Skipped, Trial, Wrong };

// One line of standard input, without its line end (a CR left at the end is
// dropped); answer comes out in UTF-8.
TrialLine ParseTrialLine(const std::string& line, const QuizRecord& quiz, TrialTarget& target,
                         std::string& answer, std::string& error);

struct Trial {
    // One of the VERDICT_ texts (Windows-1252), nullptr when the quiz has no
    // such question or box.
    const char* verdict = nullptr;
    // French, UTF-8: characters the box cannot hold, the spelling accepted
    // and the rules that made it right (or the capitals a right answer
    // lacks), whether the reveal would show.
    std::vector<std::string> remarks;
};

// The answer (UTF-8) typed into the box, graded as the player grades it.
Trial GradeTrial(const QuizRecord& quiz, const TrialTarget& target, const std::string& typedAnswer,
                 const QuizRules* rules = nullptr);

// GradeTrial's result in words:
//   question 3 : « l'italie » → BRAVO (la révélation s'afficherait)
std::string TryAnswer(const QuizRecord& quiz, const TrialTarget& target,
                      const std::string& typedAnswer, const QuizRules* rules = nullptr);
