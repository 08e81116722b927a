// A text as the rules of accepted answers (quiz/answer_rules.h) see it: what
// they forgive taken out, the same on the stored answer and on what is typed,
// so that the verdicts then compare the two as they always have.
//
// On Windows-1252 bytes, in this order:
//   hyphens as spaces: '-' becomes a space, runs of spaces one space, and the
//     spaces around the text go;
//   accents optional: every Latin letter with an accent, a cedilla, a tilde
//     or a diaeresis becomes its plain letter, capitals alike (à..å, è..ë,
//     ì..ï, ò..ö, ù..ü, ý, ÿ, ç, ñ, š, ž); œ becomes "oe", æ "ae". ø, ß, ð
//     and þ are letters of their own and stay;
//   articles optional: a leading le, la, les, l', un, une, des, du, de la or
//     de l' (in any case, the apostrophe ' or ’, after any spaces) goes with
//     the spaces after it, unless nothing would be left.
// capitalsRequired changes nothing here: it is the comparison's
// (rules_grading.h).
//
// Only the first MAX_TEXT_LENGTH bytes of text are read; a result that grows
// (œ to oe) is cut to MAX_TEXT_LENGTH bytes. No state, no allocation.
#pragma once

#include "quiz/answer_rules.h"

void FoldByRules(const AnswerRules& rules, const char* text, char (&folded)[TEXT_SIZE]);
