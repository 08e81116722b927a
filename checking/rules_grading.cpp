#include "checking/rules_grading.h"

#include "checking/compare.h"
#include "checking/rule_folding.h"
#include "checking/verdict.h"

#include <cstring>

int VerdictRank(const char* verdict)
{
    static const char* const ORDER[] = {VERDICT_BRAVO,      VERDICT_QUASIMENT, VERDICT_ANAGRAMME,
                                        VERDICT_PRESQUE,    VERDICT_TROP_LONG, VERDICT_TROP_COURT,
                                        VERDICT_YADE_LIDEE, VERDICT_PAS_LOIN,  VERDICT_FAUX,
                                        VERDICT_EMPTY};
    int rank = 0;
    for (const char* text : ORDER) {
        if (verdict && strcmp(verdict, text) == 0)
            return rank;
        ++rank;
    }
    return rank;
}

const char* GradeByRules(const AnswerRules& rules, const char* spelling, const char* typed)
{
    char foldedSpelling[TEXT_SIZE];
    char foldedTyped[TEXT_SIZE];
    FoldByRules(rules, spelling, foldedSpelling);
    FoldByRules(rules, typed, foldedTyped);
    const char* verdict = GradeAnswer(foldedSpelling, foldedTyped);
    if (rules.capitalsRequired && strcmp(verdict, VERDICT_BRAVO) == 0) {
        TrimSpaces(foldedTyped); // as GradeAnswer compares them
        if (strcmp(foldedSpelling, foldedTyped) != 0)
            return VERDICT_QUASIMENT;
    }
    return verdict;
}

BoxMatch GradeBoxByRules(const AnswerRules& rules, const char* stored,
                         const std::vector<std::string>* alternatives, const char* typed)
{
    BoxMatch best{GradeByRules(rules, stored, typed), -1};
    const int count = alternatives ? static_cast<int>(alternatives->size()) : 0;
    for (int i = 0; i < count && VerdictRank(best.verdict) > 0; ++i) {
        const char* verdict = GradeByRules(rules, (*alternatives)[i].c_str(), typed);
        if (VerdictRank(verdict) < VerdictRank(best.verdict))
            best = {verdict, i};
    }
    return best;
}
