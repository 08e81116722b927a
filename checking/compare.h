// Byte-string primitives under the verdicts: case folding, trimming, sorting,
// edit distance and containment.
//
// Strings are zero-terminated single-byte (Windows-1252) texts of at most
// MAX_TEXT_LENGTH (259) bytes; one byte is one character. Nothing knows of
// accents: only a..z are folded, so é and É stay different, and é is not e.
// The in-place operations change the caller's buffer; EditDistance and
// FindContained never look past the first MAX_TEXT_LENGTH bytes. No state, no
// allocation.
#pragma once

#include "quiz/quiz_record.h"

// Letters a..z become A..Z; every other byte is left alone.
void ToUpperAscii(char* s);

// Removes leading and trailing spaces (byte 32 only: tabs and the no-break
// space 160 stay, as do inner spaces). Spaces only give the empty string.
void TrimSpaces(char* s);

// Puts the bytes of s in ascending order, compared as signed 8-bit values, so
// bytes 128..255 come before 0..127.
void SortLetters(char* s);

// Levenshtein distance: unit costs for inserting, deleting or substituting one
// byte, no transposition. 0 exactly when the strings are equal.
int EditDistance(const char* a, const char* b);

// Results of FindContained.
constexpr int CONTAINED_FIRST_IN_SECOND = 2;  // s1 occurs in s2, s2 at least as long
constexpr int CONTAINED_SECOND_IN_FIRST = -2; // s2 is shorter and occurs in s1
constexpr int CONTAINED_NOT_FOUND = 0;
constexpr int CONTAINED_FIRST_EMPTY = 1;   // s1 empty, s2 at least as long: no search
constexpr int CONTAINED_SECOND_EMPTY = -1; // s2 empty, s1 longer: no search

// Whether the shorter string occurs in the longer one, and which was shorter.
// When s2 is shorter than s1 the two buffers exchange their contents first,
// and the caller sees them exchanged afterwards; equal lengths exchange
// nothing (and are found only when the strings are equal).
int FindContained(char (&s1)[TEXT_SIZE], char (&s2)[TEXT_SIZE]);
