#include "player/cell_geometry.h"

int RowHeight(const QuizRecord& quiz)
{
    return quiz.revealMode == REVEAL_TEXT ? 360 : 330;
}

CellGeometry CellAt(const QuizRecord& quiz, int question)
{
    const int column = (question - 1) % 3;
    const int row = (question - 1) / 3;
    const bool twoAnswers = quiz.answersPerQuestion == 2;
    const int x = 290 * column + (twoAnswers ? 90 : 0);
    CellGeometry cell = {};
    cell.columnX = x;
    switch (quiz.layoutKind) {
    case LAYOUT_TEXT: {
        const int t = 25 * question - 15;
        cell = {x, t, 100, {615, t}, {720, t - 1}, 90, {30, t + 3}};
        break;
    }
    case LAYOUT_PICTURE: {
        const int y = RowHeight(quiz) * row + 280;
        cell = {x,
                y,
                twoAnswers ? 240 : 260,
                {x + 30, y + 10},
                {x + 30, y + 29},
                260,
                {x + 10, y + 12}};
        break;
    }
    case LAYOUT_AUDIO: {
        const int u = 120 * row - 100;
        cell = {x, u, 220, {x + 50, u + 210}, {x + 50, u + 229}, 220, {x + 10, u + 212}};
        break;
    }
    case LAYOUT_VIDEO: {
        const int y = RowHeight(quiz) * row + 280;
        cell = {x, y, 230, {x + 35, y - 40}, {x + 35, y - 21}, 230, {x - 10, y - 36}};
        break;
    }
    default:
        break; // no layout: everything at the panel's corner
    }
    return cell;
}
