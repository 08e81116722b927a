// The question panel's control identifiers, and how answer boxes map to
// questions. i numbers the questions from 1; n = A * (i - 1) + j numbers the
// answer boxes across the quiz, j being the box of its question (1 or 2) and
// A the quiz's answersPerQuestion.
#pragma once

#include "checking/question_grading.h"
#include "quiz/resource_names.h"

constexpr int NUMBER_LABEL_ID = 153;     // shared by every "%d." label
constexpr int ANSWER_CAPTION_ID = 156;   // shared by the captions of two-answer quizzes
constexpr int QUESTION_LABEL_ID = 3000;  // shared by the question texts of the text layout
constexpr int ANSWER_BOX_BASE = 4000;    // + n
constexpr int VERDICT_LABEL_BASE = 5000; // + n: its box's identifier + 1000
constexpr int PLAY_BUTTON_BASE = 6000;   // + i
constexpr int STOP_BUTTON_BASE = 7000;   // + i
constexpr int REVEAL_LABEL_BASE = 8000;  // + i
constexpr int PICTURE_BASE = 9000;       // + i
constexpr int FILM_HOST_BASE = 9900;     // + i

constexpr int VERDICT_LABEL_OFFSET = VERDICT_LABEL_BASE - ANSWER_BOX_BASE;

struct BoxPlace {
    int question; // i, from 1
    bool second;  // graded against the question's second answer
};

// The question of answer box boxId. With two answers, odd identifiers are
// first boxes and even ones second boxes.
inline BoxPlace PlaceOfBox(int answersPerQuestion, int boxId)
{
    if (answersPerQuestion == 2)
        return {(boxId - 3999) / 2, boxId % 2 == 0};
    return {boxId - ANSWER_BOX_BASE, false};
}

#include <windows.h>

// The panel's control with this identifier, as GetDlgItem finds it, but
// remembered: every grading looks up all the verdict labels, and walking the
// panel's hundreds of children for each made a grading slow. A remembered
// handle is checked before it is used.
HWND PanelItem(HWND panel, int id);

// Remembers a control the panel has just made, so that its first lookup
// does not walk the children either.
void RememberPanelItem(HWND control, int id);
