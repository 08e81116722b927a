// One box graded under a quiz's rules of accepted answers
// (quiz/answer_rules.h): the stored answer and each of its alternatives are
// graded against what is typed, both sides folded by the rules first
// (rule_folding.h), and the box gets the best of those verdicts.
//
// Best, from first to last: BRAVO, Quasiment, Anagramme, Presque,
// Trop long, Trop court, yade lidée, pas loin, FAUX, and "?" (nothing typed,
// which every spelling gives alike). The order is how little the pupil has
// left to fix: one letter, then only the order of the letters, then two
// letters; then the whole answer with something more, most of it (over
// 70 %), an answer over 80 % alike, half of it. Between equal verdicts the
// stored answer wins, then the alternatives in their order.
//
// Capitals required: a text right but for its capitals (letter for letter
// once folded) is Quasiment, however many capitals differ; any other verdict
// stands as the comparison, which forgives a..z's case, gives it.
//
// With no rule and no alternative, the verdict is GradeAnswer's. Only the
// first MAX_TEXT_LENGTH bytes of each text are read. No state, no allocation.
#pragma once

#include "quiz/answer_rules.h"

#include <string>
#include <vector>

// 0 for BRAVO, growing as a verdict is further from the answer.
int VerdictRank(const char* verdict);

// typed against one spelling.
const char* GradeByRules(const AnswerRules& rules, const char* spelling, const char* typed);

struct BoxMatch {
    const char* verdict = nullptr;
    int spelling = -1; // the best: -1 the stored answer, else the alternative's index
};

// typed against the stored answer and its alternatives (nullptr: none).
BoxMatch GradeBoxByRules(const AnswerRules& rules, const char* stored,
                         const std::vector<std::string>* alternatives, const char* typed);
