#include "atelier/window/atelier_state.h"

#include "atelier/window/control_ids.h"
#include "authoring/packing/windows_platform.h"
#include "win32/wide_text.h"

#include <commctrl.h>

HINSTANCE g_instance = nullptr;
HWND g_mainWindow = nullptr;
QuizDocument g_document;
int g_current = -1;
HFONT g_font = nullptr;
bool g_filling = false;

HWND Control(int id)
{
    return GetDlgItem(g_mainWindow, id);
}

void SetStatus(const std::wstring& text)
{
    SendMessageW(Control(IDC_STATUS), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

COLORREF QuizColour()
{
    return g_document.source.colour;
}

std::string ControlText(int id)
{
    HWND control = Control(id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return Narrow(text);
}

void SetControlText(int id, const std::string& utf8)
{
    // Setting the same text again would move the caret of a field being typed in.
    if (ControlText(id) != utf8)
        SetWindowTextW(Control(id), Widen(utf8).c_str());
}

void FocusField(HWND control)
{
    SetFocus(control);
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, L"Edit") == 0 &&
        !(GetWindowLongPtrW(control, GWL_STYLE) & ES_MULTILINE))
        SendMessageW(control, EM_SETSEL, 0, -1);
}

std::wstring Counted(size_t count, const wchar_t* one, const wchar_t* many)
{
    return std::to_wstring(count) + L" " + (count > 1 ? many : one);
}
