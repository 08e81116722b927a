// The (answer, typed) pairs the page's differential test grades, drawn from
// a fixed seed. Each text is built a character at a time with both its UTF-8
// (what the browser's box is given) and its Windows-1252 bytes (what the
// player's box would hold: "?" for a character that code page lacks), from a
// table of its own, so that the expectation does not come from the
// conversion the page uses.
#pragma once

#include "quiz/answer_rules.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

struct TypedText {
    std::string utf8;
    std::string bytes; // Windows-1252
};

// One box of a question: its stored answer and the other spellings its
// rules accept (Windows-1252, empty without rules), and what is typed.
struct TypedPair {
    TypedText answer;
    std::vector<std::string> alternatives;
    TypedText typed;
};

// An answer, its alternatives and a typed text for one box. withRules adds
// alternatives and typed texts that the rules forgive.
TypedPair DrawPair(std::mt19937& random, bool withRules);

// Rules of accepted answers drawn at random, at least one of them on.
AnswerRules DrawRules(std::mt19937& random);
