// What a player does with the payloads of its quiz, wherever it reads them
// from (a program's resources, a web page): "PATCH" 104 (the quiz) and 105
// (the codes), both LZW-coded, and 106 (its web site, web_site.h). Every
// problem with the first two is told, in the order met, and loading goes on
// with what it has; a player without a quiz gets the demo quiz. A missing or
// unreadable web site is no problem: the header keeps the built-in address.
//
// The web page compiles this with a compiler that keeps string literals in
// UTF-8: accented letters in the portable cores' texts are written as their
// Windows-1252 bytes ("\351" for é).
#pragma once

#include "quiz/quiz_record.h"

#include <cstdint>

// A payload as found: missing, or its bytes (data may be null when it could
// not be read).
struct PayloadBytes {
    bool found = false;
    const unsigned char* data = nullptr;
    uint32_t size = 0;
};

enum class QuizLoaded {
    Demo,        // no quiz payload: the demo quiz
    Undecodable, // the quiz payload does not decode: the record stays empty
    Loaded       // the quiz, with its colour
};

// tell receives each message (Windows-1252), with context.
using LoadMessage = void (*)(const char* text, void* context);

// Fills a freshly constructed record (all but backgroundBrush).
QuizLoaded LoadQuizPayloads(const PayloadBytes& quiz, const PayloadBytes& codes,
                            const PayloadBytes& site, QuizRecord& record, LoadMessage tell,
                            void* context);
