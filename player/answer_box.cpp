#include "player/answer_box.h"

#include "player/answer_grading.h"
#include "player/app_globals.h"
#include "player/panel_controls.h"
#include "player/panel_scroll.h"

WNDPROC EditClassProc;

namespace {

void Grade(HWND box)
{
    CheckAnswer(*g_quiz, GetParent(box), GetDlgCtrlID(box));
}

void ShowBox(HWND box)
{
    HWND panel = GetParent(box);
    ScrollIntoView(panel, box, GetDlgItem(panel, GetDlgCtrlID(box) + VERDICT_LABEL_OFFSET));
}

// Tab and Shift+Tab go round the boxes, the last leading to the first and
// the first back to the last.
void MoveFocus(HWND box)
{
    const int direction = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    Grade(box);
    const int boxCount = BoxesPerQuestion(g_quiz->answersPerQuestion) * g_quiz->questionCount;
    int next = (GetDlgCtrlID(box) - ANSWER_BOX_BASE) % boxCount + direction;
    if (next < 1)
        next = boxCount;
    HWND target = GetDlgItem(GetParent(box), ANSWER_BOX_BASE + next);
    SetFocus(target);
    ShowBox(target);
}

// Up and Down, Page Up and Page Down move the focus as in a table, so that
// the box being typed in never leaves the view.
bool IsMoveKey(WPARAM key)
{
    return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT;
}

// The box a move key leads to: in the row above or below, the nearest one,
// or for a page the farthest within the panel's height (of the boxes that
// are, like this one, first or second boxes); in that row, the box of the
// nearest column. How far down it lies (negative: up) goes to distance;
// none when no row lies that way.
HWND BoxToward(HWND box, WPARAM key, LONG* distance)
{
    HWND panel = GetParent(box);
    const bool down = key == VK_DOWN || key == VK_NEXT;
    const bool page = key == VK_PRIOR || key == VK_NEXT;
    RECT from, client;
    GetWindowRect(box, &from);
    GetClientRect(panel, &client);
    const int boxesPerQuestion = BoxesPerQuestion(g_quiz->answersPerQuestion);
    const int boxCount = boxesPerQuestion * g_quiz->questionCount;
    const int self = GetDlgCtrlID(box) - ANSWER_BOX_BASE;
    // How far box n lies the way the key goes, and how far aside; false when
    // it lies the other way, or is not a box that a page leads to.
    const auto place = [&](int n, LONG* away, LONG* aside) {
        RECT r;
        if ((page && (n - self) % boxesPerQuestion != 0) ||
            !GetWindowRect(PanelItem(panel, ANSWER_BOX_BASE + n), &r))
            return false;
        *away = down ? r.top - from.top : from.top - r.top;
        *aside = r.left > from.left ? r.left - from.left : from.left - r.left;
        return *away > 0;
    };

    LONG nearestRow = 0, farthestInPage = 0, away, aside;
    for (int n = 1; n <= boxCount; ++n) {
        if (!place(n, &away, &aside))
            continue;
        if (nearestRow == 0 || away < nearestRow)
            nearestRow = away;
        if (away <= client.bottom && away > farthestInPage)
            farthestInPage = away;
    }
    const LONG row = page && farthestInPage ? farthestInPage : nearestRow;
    HWND target = nullptr;
    LONG targetAside = 0;
    for (int n = 1; n <= boxCount; ++n) {
        if (place(n, &away, &aside) && away == row && (!target || aside < targetAside)) {
            target = PanelItem(panel, ANSWER_BOX_BASE + n);
            targetAside = aside;
        }
    }
    *distance = down ? row : -row;
    return target;
}

// The box left is graded by losing the focus. A page move scrolls the panel
// as far as the focus went, so the new box stands where the old one stood.
void MoveToward(HWND box, WPARAM key)
{
    LONG distance = 0;
    HWND target = BoxToward(box, key, &distance);
    if (!target)
        return;
    HWND panel = GetParent(box);
    if (key == VK_PRIOR || key == VK_NEXT)
        ScrollPanelTo(panel, SB_VERT, GetScrollPos(panel, SB_VERT) + distance / ScrollUnit);
    SetFocus(target);
    ShowBox(target);
}

// Enter, Tab, F1 and the move keys act on release, or on press with Alt.
LRESULT OnKey(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    switch (key) {
    case VK_RETURN:
        Grade(box);
        return 1;
    case VK_TAB:
        MoveFocus(box);
        break;
    case VK_F1:
        FillUnsolvedAnswers(box);
        ShowBox(box);
        break;
    default:
        if (IsMoveKey(key))
            MoveToward(box, key);
        break;
    }
    return CallWindowProcA(EditClassProc, box, message, key, lParam);
}

} // namespace

LRESULT CALLBACK AnswerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        SendMessageA(box, EM_SETSEL, 0, SELECTION_ON_FOCUS);
        break;
    case WM_KILLFOCUS:
        Grade(box);
        break;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
        return OnKey(box, message, wParam, lParam);
    case WM_KEYDOWN:
        // Typing or editing in a box scrolled away brings it back first.
        if (!IsMoveKey(wParam))
            ShowBox(box);
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == '\t')
            return 0;
        ShowBox(box);
        break;
    default:
        break;
    }
    return CallWindowProcA(EditClassProc, box, message, wParam, lParam);
}
