#include "player/main_window.h"

#include "player/answers_file.h"
#include "player/app_globals.h"
#include "player/hand_in.h"
#include "player/header_bar.h"
#include "player/media_files.h"
#include "player/media_playback.h"
#include "player/panel_scroll.h"
#include "player/shell_open.h"
#include "resources/resource_ids.h"

namespace {

// How far the main window's end has come, kept in its user data: the
// answers are saved once, by a close or by the end of the session, whichever
// comes first.
constexpr LONG_PTR PLAYING = 0;
constexpr LONG_PTR CLOSING = 1;        // a close has saved, or tells it could not
constexpr LONG_PTR SESSION_ENDING = 2; // saved at log-off or shutdown; the process ends soon

// The content size of the panel follows from the layout: rows of three
// cells, or one text row per question.
void SetContentSize(const QuizRecord& quiz)
{
    ContentWidth = quiz.answersPerQuestion == 1 ? 890 : 980;
    const int rows = (quiz.questionCount + 2) / 3;
    switch (quiz.layoutKind) {
    case LAYOUT_TEXT:
        ContentHeight = 25 * quiz.questionCount + 25;
        break;
    case LAYOUT_PICTURE:
    case LAYOUT_VIDEO:
        ContentHeight = (quiz.revealMode == REVEAL_TEXT ? 360 : 330) * rows + 25;
        break;
    case LAYOUT_AUDIO:
        ContentHeight = 120 * rows + 25;
        break;
    default:
        break;
    }
}

// One brush per colour, made on first use and kept for the process.
HBRUSH HeaderBrush()
{
    static HBRUSH brush = CreateSolidBrush(HEADER_BACKGROUND);
    return brush;
}

HBRUSH VersionBrush()
{
    static HBRUSH brush = CreateSolidBrush(VERSION_BACKGROUND);
    return brush;
}

LRESULT OnCreate(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HWND version = CreateWindowExA(0, "Static", "Réalisé avec la version 2.1",
                                   WS_CHILD | WS_VISIBLE, 725, client.bottom - 16, 130, 15, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(VERSION_LABEL_ID)),
                                   g_instance, nullptr);
    SendMessageA(version, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    BuildHeaderBar(window);
    SetContentSize(*g_quiz);
    return 0;
}

LRESULT OnSize(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    if (g_panel) {
        const SIZE panel = PanelSize(window);
        SetWindowPos(g_panel, nullptr, PANEL_LEFT, PANEL_TOP, panel.cx, panel.cy, SWP_NOZORDER);
    }
    SetWindowPos(GetDlgItem(window, VERSION_LABEL_ID), nullptr, client.right - 145,
                 client.bottom - 16, 130, 15, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    return 0;
}

void SaveAnswersAndSound()
{
    SaveAnswers(g_panel);
    CloseSoundPlayer();
    DeleteFileA(SOUND_FILE);
}

LRESULT OnClose(HWND window)
{
    // The box that tells a failed save runs a message loop of its own, where
    // the user may close the window again: one close saves, tells and quits.
    const LONG_PTR stage = GetWindowLongPtrA(window, GWLP_USERDATA);
    if (stage == CLOSING)
        return 0;
    SetWindowLongPtrA(window, GWLP_USERDATA, CLOSING);
    if (stage == PLAYING)
        SaveAnswersAndSound();
    PostQuitMessage(0);
    return 0;
}

// At log-off or shutdown no WM_CLOSE comes: the process is ended once this
// returns, so the answers are saved here, and the media files that can be
// removed at once are removed.
LRESULT OnEndSession(HWND window, WPARAM ending)
{
    if (!ending || GetWindowLongPtrA(window, GWLP_USERDATA) != PLAYING)
        return 0;
    SetWindowLongPtrA(window, GWLP_USERDATA, SESSION_ENDING);
    SaveAnswersAndSound();
    ReleaseFilmPlayers();
    DeleteFilmFiles();
    return 0;
}

WORD ScrollCodeForKey(WPARAM key)
{
    switch (key) {
    case VK_PRIOR:
        return SB_PAGEUP;
    case VK_NEXT:
        return SB_PAGEDOWN;
    case VK_END:
        return SB_BOTTOM;
    case VK_HOME:
        return SB_TOP;
    case VK_UP:
        return SB_LINEUP;
    case VK_DOWN:
        return SB_LINEDOWN;
    default:
        return NO_SCROLL_CODE;
    }
}

LRESULT OnKeyDown(WPARAM key)
{
    SendMessageA(g_panel, WM_VSCROLL, ScrollCodeForKey(key), 0);
    return 0;
}

LRESULT OnMouseWheel(WPARAM wParam)
{
    PostWheelScroll(g_panel, wParam);
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam)
{
    if (wParam == LINK_LABEL_ID)
        OpenWithShell(LinkAddress());
    else if (!g_workKey.empty() && LOWORD(wParam) == HAND_IN_BUTTON_ID)
        HandInWork(window);
    else if (!g_workKey.empty() && LOWORD(wParam) == NEW_PUPIL_BUTTON_ID)
        StartNewPupil(window);
    return 0;
}

LRESULT OnCtlColorStatic(HDC dc, HWND control)
{
    switch (GetWindowLongA(control, GWL_ID)) {
    case SCORE_FRAME_ID:
    case CODE_FRAME_ID:
    case TITLE_FRAME_ID:
    case LINK_FRAME_ID:
    case HEADER_LABEL_ID:
    case CODE_CAPTION_ID:
    case CODE_LABEL_ID:
        SetBkColor(dc, HEADER_BACKGROUND);
        return reinterpret_cast<LRESULT>(HeaderBrush());
    case LINK_LABEL_ID:
        SetTextColor(dc, LINK_TEXT_COLOUR);
        SetBkColor(dc, HEADER_BACKGROUND);
        return reinterpret_cast<LRESULT>(HeaderBrush());
    case VERSION_LABEL_ID:
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, VERSION_BACKGROUND);
        return reinterpret_cast<LRESULT>(VersionBrush());
    default:
        return 0;
    }
}

HICON ApplicationIcon(int widthMetric, int heightMetric)
{
    return static_cast<HICON>(LoadImageA(g_instance, MAKEINTRESOURCEA(APPLICATION_ICON), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

} // namespace

bool RegisterMainWindowClass()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = g_instance;
    // The program's own icon, which a quiz may have replaced: each size
    // taken from its own image, the small one not shrunk from the large.
    windowClass.hIcon = ApplicationIcon(SM_CXICON, SM_CYICON);
    windowClass.hIconSm = ApplicationIcon(SM_CXSMICON, SM_CYSMICON);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreateMainWindow()
{
    return CreateWindowExA(0, MAIN_WINDOW_CLASS, g_quiz->title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, nullptr, nullptr,
                           g_instance, nullptr);
}

SIZE PanelSize(HWND mainWindow)
{
    RECT client;
    GetClientRect(mainWindow, &client);
    return {client.right - 11, client.bottom - 68};
}

void CentreOnDesktop(HWND window)
{
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    const int x = desktop.left + ((desktop.right - desktop.left) - (own.right - own.left)) / 2;
    const int y = desktop.top + ((desktop.bottom - desktop.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_SIZE:
        return OnSize(window);
    case WM_CLOSE:
        return OnClose(window);
    case WM_ENDSESSION:
        return OnEndSession(window, wParam);
    case WM_KEYDOWN:
        return OnKeyDown(wParam);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(wParam);
    case WM_COMMAND:
        return OnCommand(window, wParam);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
