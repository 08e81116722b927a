#include "ui/answer_box.h"

#include "checking/answer_grading.h"
#include "ui/app_globals.h"
#include "ui/panel_controls.h"
#include "ui/panel_scroll.h"

WNDPROC EditClassProc;

namespace {

// Selected when a box gets the focus, so that typing replaces the answer.
constexpr int SELECTION_ON_FOCUS = 25;

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

// The keys that scroll the main window scroll the panel from a box too.
bool ScrollsPanel(WPARAM key, WORD* request)
{
    switch (key) {
    case VK_PRIOR:
        *request = SB_PAGEUP;
        return true;
    case VK_NEXT:
        *request = SB_PAGEDOWN;
        return true;
    case VK_UP:
        *request = SB_LINEUP;
        return true;
    case VK_DOWN:
        *request = SB_LINEDOWN;
        return true;
    default:
        return false;
    }
}

// Enter, Tab, F1 and the scroll keys act on release, or on press with Alt.
LRESULT OnKey(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    WORD request;
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
        if (ScrollsPanel(key, &request))
            ScrollPanel(GetParent(box), SB_VERT, request);
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
        if (WORD request; !ScrollsPanel(wParam, &request))
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
