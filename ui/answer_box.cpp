#include "ui/answer_box.h"

#include "checking/answer_grading.h"
#include "ui/app_globals.h"

WNDPROC EditClassProc;

LRESULT CALLBACK AnswerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KILLFOCUS:
        CheckAnswer(*g_quiz, GetParent(box), GetDlgCtrlID(box));
        break;
    default:
        break;
    }
    return CallWindowProcA(EditClassProc, box, message, wParam, lParam);
}
