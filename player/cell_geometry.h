// Where the controls of question i stand in the panel, in the coordinates of
// the panel as built (before any scrolling). Cells of the picture, audio and
// video layouts stand three to a row; the text layout is one column.
#pragma once

#include "quiz/quiz_record.h"

struct Point {
    int x, y;
};

struct CellGeometry {
    int columnX;   // X: the column's origin, 90 further right with two answers
    int rowY;      // Y (picture and video), U (audio) or T (text): the row's baseline
    int boxWidth;  // W
    Point box;     // the first answer box
    Point verdict; // its verdict label (one answer per question)
    int verdictWidth;
    Point number; // the "%d." label
};

// The picture and video layouts' row height: taller when a text is revealed.
int RowHeight(const QuizRecord& quiz);

CellGeometry CellAt(const QuizRecord& quiz, int question);
