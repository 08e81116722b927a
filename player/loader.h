// Loads the quiz the executable carries in its resources "PATCH" 104 (the
// quiz) and 105 (the codes), both LZW-coded, and 106 (its web site, see
// web_site.h). Every problem with the first two is told in a message box
// (caption "Quizz") and loading goes on with what it has; an executable
// without a quiz gets the demo quiz. A missing or unreadable web site is no
// problem: the header keeps the player's built-in address. The rules of
// accepted answers, 108 (quiz/rules_payload.h), are read apart, and told to
// nobody either: missing or unreadable, the quiz is graded without rules, as
// quizzes always were. So is the key of the work its pupils hand in, 109.
#pragma once

#include "quiz/answer_rules.h"
#include "quiz/quiz_record.h"
#include "quiz/resource_names.h"

#include <windows.h>

#include <vector>

// One of module's resources, read in place (resources stay mapped for the
// module's life): found but without data when it cannot be loaded.
struct Resource {
    bool found;
    const unsigned char* data;
    uint32_t size;
};
Resource ReadResource(HMODULE module, int id, const char* type);

// Fills a freshly constructed record from the program's own resources.
void LoadQuiz(QuizRecord& quiz);

// The same from the resources of module, which tests load as data files.
void LoadQuizFrom(HMODULE module, QuizRecord& quiz);

// The quiz's rules from the program's own resources, or from module's; none
// when they are missing or unreadable.
void LoadRules(QuizRules& rules);
void LoadRulesFrom(HMODULE module, QuizRules& rules);

// The key of the work the quiz's pupils hand in (quiz/pupil_results.h) from
// the program's own resources, or from module's; empty when the quiz asks
// for none, and when the resource is not exactly a key's size: a damaged key
// is no key.
std::vector<unsigned char> LoadWorkKey();
std::vector<unsigned char> LoadWorkKeyFrom(HMODULE module);
