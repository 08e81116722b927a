// What a quiz accepts beyond the answers it stores: other spellings for a
// box, and rules applied to both sides before they are compared. Every rule
// is off by default, and a quiz without them grades as quizzes always have.
// They travel in a payload of their own (RULES_RESOURCE), which a player or
// tool that does not know it never reads.
#pragma once

#include "quiz/quiz_record.h"

#include <array>
#include <string>
#include <vector>

struct AnswerRules {
    bool accentsOptional = false;  // "elephant" for "éléphant", "coeur" for "cœur"
    bool articlesOptional = false; // a leading le, la, les, l', un, une, des, du, de la, de l'
    bool hyphensAsSpaces = false;  // "Mont Blanc" for "Mont-Blanc"; runs of spaces as one
    bool capitalsRequired = false; // "Paris", not "paris"

    bool Any() const
    {
        return accentsOptional || articlesOptional || hyphensAsSpaces || capitalsRequired;
    }
};

// The other spellings each box accepts, Windows-1252, each at most
// MAX_TEXT_LENGTH bytes: alternatives[question][box], questions from 0,
// boxes 0 (the answer) and 1 (the second answer). Fewer rows than questions:
// the others have none.
struct QuizRules {
    AnswerRules rules;
    std::vector<std::array<std::vector<std::string>, 2>> alternatives;

    bool Any() const
    {
        if (rules.Any())
            return true;
        for (const auto& boxes : alternatives)
            for (const auto& spellings : boxes)
                if (!spellings.empty())
                    return true;
        return false;
    }
};
