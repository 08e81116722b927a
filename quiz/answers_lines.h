// The lines of the answers file, which the Windows player keeps beside
// itself and the web page saves and reads: one line per answer box, in the
// boxes' order, its Windows-1252 text and CR LF; an empty box is written
// EMPTY_BOX_MARK. Said once here for both.
#pragma once

#include "quiz/quiz_record.h"

#include <cstddef>

constexpr const char* EMPTY_BOX_MARK = "*";

// What a box's line holds before its CR LF: the text, or the mark.
const char* AnswerLineText(const char* boxText);

// A box's text from the bytes of its line before the line feed, NUL bytes
// included: a CR at its end dropped, cut to MAX_TEXT_LENGTH bytes, the mark
// read as an empty box.
void BoxTextOfLine(const char* line, size_t length, char (&text)[TEXT_SIZE]);
