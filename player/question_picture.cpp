#include "player/question_picture.h"

#include "player/app_globals.h"
#include "player/cell_geometry.h"
#include "player/panel_controls.h"
#include "player/picture_decoding.h"
#include "player/picture_loading.h"
#include "quiz/picture_size.h"
#include "quiz/resource_names.h"

#include <algorithm>
#include <iterator>

namespace {

// A reveal picture's square stands this far left of the question picture's.
constexpr int REVEAL_SQUARE_SHIFT = 10;

// The questions of the panel whose reveal picture shows.
bool g_revealShown[MAX_QUESTIONS + 1];

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// How far the panel's content has moved since it was built: the first
// answer box of the cell is never moved but by scrolling.
POINT ScrollShift(HWND panel, int question)
{
    const int box =
        ANSWER_BOX_BASE + BoxesPerQuestion(g_quiz->answersPerQuestion) * (question - 1) + 1;
    RECT now;
    GetWindowRect(GetDlgItem(panel, box), &now);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&now), 2);
    const Point built = CellAt(*g_quiz, question).box;
    return {now.left - built.x, now.top - built.y};
}

// Shows bitmap (owned by the control from now on; none: an empty square) in
// question i's picture control, sized to it and centred in its square where
// the cell stands now: the square of the question picture, or for a reveal
// picture the one ten pixels to its left. The bitmap it replaces is deleted.
void PlacePicture(HWND panel, int question, HBITMAP bitmap, bool reveal)
{
    HWND control = GetDlgItem(panel, PICTURE_BASE + question);
    const SIZE size = bitmap ? BitmapSize(bitmap) : SIZE{PICTURE_SQUARE, PICTURE_SQUARE};
    DeleteObject(reinterpret_cast<HGDIOBJ>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    const CellGeometry cell = CellAt(*g_quiz, question);
    const POINT shift = ScrollShift(panel, question);
    const int squareX = cell.columnX + 30 - (reveal ? REVEAL_SQUARE_SHIFT : 0);
    // A reveal picture comes to the top, as it always has; a question
    // picture keeps the place it was built at among its siblings.
    SetWindowPos(control, HWND_TOP, squareX + (PICTURE_SQUARE - size.cx) / 2 + shift.x,
                 cell.rowY - PICTURE_SQUARE + (PICTURE_SQUARE - size.cy) / 2 + shift.y, size.cx,
                 size.cy, SWP_NOOWNERZORDER | SWP_NOACTIVATE | (reveal ? 0 : SWP_NOZORDER));
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    g_revealShown[question] = reveal;
}

HBITMAP LoadedFromResource(int id)
{
    return LoadQuestionPicture(GetModuleHandleA(nullptr), id, MEDIA_RESOURCE_TYPE, PICTURE_SQUARE,
                               PICTURE_SQUARE);
}

} // namespace

void ShowFirstScreenPictures(HWND panel, int viewHeight)
{
    std::fill(std::begin(g_revealShown), std::end(g_revealShown), false);
    const int firstScreen = WaitForFirstScreen(viewHeight);
    for (int question = 1; question <= firstScreen; ++question)
        ShowLoadedPicture(panel, question);
}

void ShowLoadedPicture(HWND panel, int question)
{
    LoadedPicture loaded;
    if (TakeLoadedPicture(question, &loaded))
        PlacePicture(panel, question, loaded.bitmap, loaded.reveal);
}

void ShowRevealPicture(HWND panel, int question)
{
    // Layouts without pictures have nowhere to show one.
    if (!GetDlgItem(panel, PICTURE_BASE + question) || RevealWhenLoaded(question))
        return;
    if (HBITMAP reveal = LoadedFromResource(REVEAL_PICTURE_RESOURCE_BASE + question))
        PlacePicture(panel, question, reveal, true);
}

void HideRevealPictures(HWND panel)
{
    ForgetWantedReveals();
    for (int question = 1; question <= g_quiz->questionCount; ++question)
        if (g_revealShown[question])
            PlacePicture(panel, question, LoadedFromResource(MEDIA_RESOURCE_BASE + question),
                         false);
}
