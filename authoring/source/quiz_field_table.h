// The quiz-level fields of a source, each described once: a row per key of
// the file's top, in the order the writer writes them. The reader, the
// writer, the check, extraction, import and the atelier (its document, the
// fields its problems lead to, its controls) go through these rows, so that a
// new text of the whole quiz is a row here (and its QuizSource member), not a
// change in each of them.
//
// A row whose text is nullptr is no plain text (the layout, the reveal mode,
// the colour, the answers per question, the codes, the rules): each of those
// keeps its own rule where it is read, checked and written; its row gives its
// place in the file and where its problems lead. The rules of the accepted
// answers are true or false, each a row with its flag: those are read,
// written, converted and ticked in the atelier from their rows alone. A row
// with a flag and no rule is a switch of the whole quiz (its pupils hand in
// their work), read, written and ticked as the rules are.
#pragma once

#include "authoring/source/quiz_source.h"
#include "quiz/answer_rules.h"
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
    AccentsOptional,
    ArticlesOptional,
    HyphensAsSpaces,
    CapitalsRequired,
    HandIn,
    Question, // the question as a whole (one too many, say)
    Answer,
    SecondAnswer,
    OtherAnswers,
    OtherSecondAnswers,
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
    // A rule: written only when the file says it (true or false), after the
    // comment that the first rule row holds for them all, then its
    // explanation as a comment line; the atelier ticks it in a box named by
    // name, with the explanation beside. A switch (no rule) brings its own
    // comment.
    SourceFlag QuizSource::*flag;
    bool AnswerRules::*rule;
    const char* explanation;
};

// The compiler checks this count against the rows.
constexpr size_t QUIZ_FIELD_COUNT = 17;
extern const QuizFieldRow QUIZ_FIELDS[QUIZ_FIELD_COUNT];

// The row of a key, or nullptr.
const QuizFieldRow* FindQuizField(const std::string& key);

// Every text that is not optional, present and empty: a new quiz's start.
void EmptyQuizTexts(QuizSource& source);

// The rules the source's flags say.
AnswerRules SourceRules(const QuizSource& source);

// A rule as messages name it, from its row: "accents facultatifs".
std::string RuleName(const QuizFieldRow& row);

// The rules that are on, so named: "accents facultatifs, articles
// facultatifs" ("" for none).
std::string RulesOn(const AnswerRules& rules);

// Whether the source has a rule or another spelling of an answer.
bool HasAnswerRules(const QuizSource& source);

// The rules and other spellings (Windows-1252) into the source, as the
// file would say them: the rules that are on, each question's alternatives.
void SetSourceRules(const QuizRules& rules, QuizSource& source);
