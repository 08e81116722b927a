// Moodle's GIFT format, as a question bank exports it or a teacher writes it:
//
//   // a comment: a line that starts with //
//   $CATEGORY: $course$/Géographie
//
//   ::Capitale::[html]<p>Quelle est la capitale de la France ?</p>{
//       =Paris
//       =%50%Lutèce#C'était son nom romain.
//   }
//
// Questions are separated by blank lines. An optional ::title:: comes first,
// then an optional [html], [moodle], [plain] or [markdown] format, the text
// and the answer block in braces. "\" escapes ~ = # { } : and "\\", and "\n"
// is a line break. The block tells the kind: none is a description, an empty
// one an essay, "#" numeric, "~" multiple choice, "->" matching, T/F/TRUE/
// FALSE true or false; otherwise answers each led by "=" (or a lone answer
// without one) make a short-answer question, an answer's weight written
// %50% before it and its feedback after a "#" ("####" leads the feedback of
// the whole question).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class GiftKind {
    ShortAnswer,
    MultipleChoice,
    TrueFalse,
    Numeric,
    Matching,
    Essay,
    Description,
    Unclosed, // its "{" is never closed: what it holds cannot be told
};

struct GiftAnswer {
    std::string text;       // escapes resolved
    double weight = 100;    // percent of the credit
    std::string weightText; // as written between the % signs, "" when absent
};

struct GiftQuestion {
    int number = 0; // 1 for the file's first question, categories not counted
    int line = 0;   // of the file, where the question starts
    std::string title;
    std::string format = "moodle";
    // Escapes resolved, in its format; "_____" where an answer block stood
    // inside the sentence.
    std::string text;
    GiftKind kind = GiftKind::Description;
    std::vector<GiftAnswer> answers; // of short-answer questions only
    bool feedback = false;           // some feedback text, for any answer or the whole
};

struct GiftFile {
    std::vector<GiftQuestion> questions;
    std::vector<std::string> categories; // as written after $CATEGORY:
    int questionsLeftOut = 0;            // past maxQuestions, counted, not kept
    int firstLeftOutLine = 0;            // where the first of them starts
};

// Takes any text: what it cannot make sense of becomes descriptions or
// unclosed questions, for the caller to report. Keeps maxQuestions at most,
// so that a huge file is read in bounded memory.
void ReadGift(const std::string& utf8, GiftFile& file, size_t maxQuestions = SIZE_MAX);

// The kind in French, as Moodle's French interface names it.
const char* GiftKindName(GiftKind kind);
