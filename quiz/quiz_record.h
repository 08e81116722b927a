// The one quiz the player holds: header texts, display options, codes and a
// doubly linked list of questions. Filled once by the loader, read-only after.
//
// Every text is a zero-terminated Windows-1252 string in a 260-byte field, so
// at most 259 bytes; CopyText cuts longer values.
#pragma once

#include <cstdint>

constexpr int TEXT_SIZE = 260;
constexpr int MAX_TEXT_LENGTH = TEXT_SIZE - 1;
constexpr int MAX_QUESTIONS = 90;

constexpr int LAYOUT_TEXT = 0;
constexpr int LAYOUT_PICTURE = 1;
constexpr int LAYOUT_AUDIO = 2;
constexpr int LAYOUT_VIDEO = 3;

constexpr int REVEAL_NONE = 0;
constexpr int REVEAL_PICTURE = 1;
constexpr int REVEAL_TEXT = 2;

struct QuestionRecord {
    char answer[TEXT_SIZE];
    char secondAnswer[TEXT_SIZE];
    char questionText[TEXT_SIZE];
    char revealText[TEXT_SIZE];
    QuestionRecord* previous;
    QuestionRecord* next;
};

struct QuizRecord {
    int32_t layoutKind = 0;
    char title[TEXT_SIZE] = {};
    char author[TEXT_SIZE] = {};
    char explanations[TEXT_SIZE] = {};
    char firstAnswerCaption[TEXT_SIZE] = {};
    char secondAnswerCaption[TEXT_SIZE] = {};
    int32_t questionCount = 0;
    int32_t answersPerQuestion = 0;
    char codes[MAX_QUESTIONS][TEXT_SIZE] = {};
    int32_t revealMode = REVEAL_TEXT;
    uint32_t backgroundColour = 0;   // COLORREF, 0x00BBGGRR
    void* backgroundBrush = nullptr; // HBRUSH; kept until the process ends
    char webSite[TEXT_SIZE] = {};    // the header link's address; empty: the built-in one
    QuestionRecord* firstQuestion = nullptr;
    QuestionRecord* lastQuestion = nullptr;

    QuizRecord() = default;
    QuizRecord(const QuizRecord&) = delete;
    QuizRecord& operator=(const QuizRecord&) = delete;
    ~QuizRecord();
};

// Copies src into a text field, cut to MAX_TEXT_LENGTH bytes.
void CopyText(char (&dest)[TEXT_SIZE], const char* src);

// Links a new question at the tail; revealText stays empty. A failed
// allocation appends nothing.
void AppendQuestion(QuizRecord& quiz, const char* answer, const char* secondAnswer,
                    const char* questionText);

// The question at position (from 0). A position at or past the end gives the
// last question; an empty list gives nullptr.
QuestionRecord* QuestionAt(const QuizRecord& quiz, int position);

// Releases every question; both ends become nullptr.
void ClearQuestions(QuizRecord& quiz);
