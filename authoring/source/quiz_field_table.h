// The quiz-level fields of a source, each described once: a row per key of
// the file's top, in the order the writer writes them. The reader, the
// writer, the check, extraction, import and the atelier (its document, the
// fields its problems lead to, its controls) go through these rows, so that a
// new text of the whole quiz is a row here (and its QuizSource member), not a
// change in each of them.
//
// A row whose text is nullptr is no plain text (the layout, the reveal mode,
// the colour, the answers per question, the codes): each of those keeps its
// own rule where it is read, checked and written; its row gives its place in
// the file and where its problems lead.
#pragma once

#include "authoring/source/quiz_source.h"
#include "quiz/quiz_record.h"

#include <cstddef>
#include <string>

// Which field of the quiz a problem concerns: a quiz-level one (a row below)
// or one of a question.
enum class QuizField {
    None, // the whole quiz (its size, say)
    Title,
    Author,
    Explanations,
    Layout,
    Reveal,
    Colour,
    FirstCaption,
    SecondCaption,
    Codes,
    Site,
    Icon,
    Question, // the question as a whole (one too many, say)
    Answer,
    SecondAnswer,
    QuestionText,
    Medium, // its picture, sound or film
    RevealPicture,
    RevealText,
};

struct QuizFieldRow {
    const char* key;              // in the source, and the subject of its problems
    const char* name;             // as the atelier names it beside a problem: "Titre"
    QuizField field;              // where its problems lead
    int control;                  // the atelier's control: IDC_QUIZ_GROUP + this; 0: none
    SourceText QuizSource::*text; // nullptr: no plain text, see above
    // Where the check converts it in the packed quiz; nullptr when it has no
    // place there (the icon is a resource) or its own rule (the site's address).
    char (QuizRecord::*packed)[TEXT_SIZE];
    // Absent when left empty: the atelier writes it only when given, and the
    // writer shows in its place how to give one (absentComment, then the key
    // and example commented out). Otherwise it is written even empty.
    bool optional;
    const char* comment;       // the writer's lines before it
    const char* absentComment; // optional texts
    const char* example;       // optional texts: a value, as the file writes it
    const char* missing;       // the reader's message when the file has none
    const char* empty;         // the check's warning when it is given empty
};

// The compiler checks this count against the rows.
constexpr size_t QUIZ_FIELD_COUNT = 12;
extern const QuizFieldRow QUIZ_FIELDS[QUIZ_FIELD_COUNT];

// The row of a key, or nullptr.
const QuizFieldRow* FindQuizField(const std::string& key);

// Every text that is not optional, present and empty: a new quiz's start.
void EmptyQuizTexts(QuizSource& source);
