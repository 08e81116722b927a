// The two quiz payloads, as they stand once decoded.
//
// Quiz payload (resource "PATCH" 104):
//   byte 0 unused, byte 1 layoutKind + 1, byte 2 questionCount,
//   byte 3 answersPerQuestion; then the fields title, author, explanations,
//   firstAnswerCaption, secondAnswerCaption; per question the fields answer,
//   secondAnswer (only when answersPerQuestion is 2) and questionText; one
//   byte revealMode; when it is 2, one revealText field per question; last
//   the colour bytes red, green, blue.
//   A field is the bytes up to the separator '|', which no value can hold.
// Codes payload (resource "PATCH" 105): questionCount lines, each a code
//   ended by CR LF. A code ends at the first CR; the byte after it is skipped.
//
// In both, zero bytes inside a value add nothing to it. The parsers never
// read past length: whatever is missing reads as empty fields and codes and
// zero bytes. Values past 259 bytes are cut. Only the first MAX_QUESTIONS
// questions are kept; later blocks are read and dropped, so that the fields
// after them stay in place.
#pragma once

#include "quiz/quiz_record.h"

#include <cstdint>
#include <vector>

constexpr unsigned char PAYLOAD_SEPARATOR = '|';

// Fills a freshly constructed record (all but backgroundBrush, which is the
// loader's).
void ParseQuizPayload(const unsigned char* data, uint32_t length, QuizRecord& quiz);

// Fills quiz.codes for quiz.questionCount questions.
void ParseCodesPayload(const unsigned char* data, uint32_t length, QuizRecord& quiz);

// The inverses, for the authoring tool: false when the record cannot be
// written (a text holding the separator or a code holding CR, a value out of
// its byte, fewer questions in the list than questionCount).
bool BuildQuizPayload(const QuizRecord& quiz, std::vector<unsigned char>& payload);
bool BuildCodesPayload(const QuizRecord& quiz, std::vector<unsigned char>& payload);
