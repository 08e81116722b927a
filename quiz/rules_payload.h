// The payload of RULES_RESOURCE ("PATCH" 108): a quiz's rules of accepted
// answers (quiz/answer_rules.h) as plain bytes. They are a few hundred bytes
// at most for a real quiz and are read once, so they are not LZW-coded: the
// parser stays a short walk that a fuzzer covers whole.
//
//   byte 0        RULES_PAYLOAD_VERSION (1); any other value is a format this
//                 reader does not know, and the quiz is read without rules
//   byte 1        the rules: bit 0 accentsOptional, bit 1 articlesOptional,
//                 bit 2 hyphensAsSpaces, bit 3 capitalsRequired; other bits 0
//   byte 2        rows: how many questions have alternatives listed, at most
//                 MAX_QUESTIONS
//   per row, per box (0 then 1): one byte, the count of alternatives (at
//                 most MAX_ALTERNATIVES), then per alternative its length
//                 (two bytes, low first, 1..MAX_TEXT_LENGTH) and its
//                 Windows-1252 bytes, none of them zero
//   nothing after the last row.
//
// The parser never reads past the size given, and a damaged count cannot make
// it allocate more than MAX_QUESTIONS rows; anything out of shape refuses the
// whole payload (a damaged resource must not make a wrong answer right).
#pragma once

#include "quiz/answer_rules.h"

#include <cstdint>
#include <vector>

constexpr unsigned char RULES_PAYLOAD_VERSION = 1;
// Alternatives per box: far more than a teacher writes, few enough that a
// box is graded at once.
constexpr int MAX_ALTERNATIVES = 32;

// False (payload empty) when the rules cannot be written: more than
// MAX_QUESTIONS rows, more than MAX_ALTERNATIVES in a box, an alternative
// empty, longer than MAX_TEXT_LENGTH or holding a zero byte.
bool BuildRulesPayload(const QuizRules& rules, std::vector<unsigned char>& payload);

// Fills rules from the payload; false, and rules empty, when the bytes are
// not a payload of this version.
bool ParseRulesPayload(const unsigned char* data, uint32_t size, QuizRules& rules);
