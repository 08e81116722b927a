#include "tests/windows/player_window.h"

#include "ui/app_globals.h"
#include "ui/header_bar.h"
#include "ui/main_window.h"
#include "ui/panel.h"
#include "ui/panel_controls.h"

#include <gtest/gtest.h>

#include <fstream>

std::vector<UINT> g_scrollCodes;

namespace {

WNDPROC g_panelProc;

// Stands in front of the panel's procedure to see the scroll requests.
LRESULT CALLBACK RecordScroll(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VSCROLL)
        g_scrollCodes.push_back(LOWORD(wParam));
    return CallWindowProcA(g_panelProc, panel, message, wParam, lParam);
}

} // namespace

std::unique_ptr<QuizRecord> MakeQuiz(int layout, int questions, int answers, int reveal)
{
    auto quiz = std::make_unique<QuizRecord>();
    CopyText(quiz->title, "Les capitales");
    CopyText(quiz->author, "Léa");
    CopyText(quiz->explanations, "Trouvez la capitale de chaque pays.");
    quiz->layoutKind = layout;
    quiz->questionCount = questions;
    quiz->answersPerQuestion = answers;
    quiz->revealMode = reveal;
    for (int i = 0; i < questions; ++i)
        AppendQuestion(*quiz, "Paris", "France", "Quelle ville ?");
    return quiz;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

std::string TextOf(HWND window)
{
    char text[TEXT_SIZE] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH info = {};
    GetObjectA(brush, sizeof info, &info);
    return info.lbColor;
}

bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

HWND Box(int n)
{
    return GetDlgItem(g_panel, ANSWER_BOX_BASE + n);
}

std::string Verdict(int n)
{
    return TextOf(GetDlgItem(g_panel, VERDICT_LABEL_BASE + n));
}

void Answer(int n, const char* text)
{
    SetWindowTextA(Box(n), text);
    SetFocus(Box(n));
    SetFocus(g_panel);
}

RECT PlaceOf(HWND control)
{
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

PlayerWindow::PlayerWindow(std::unique_ptr<QuizRecord> record, bool shown) : quiz(std::move(record))
{
    static bool registered = RegisterMainWindowClass();
    EXPECT_TRUE(registered);
    g_instance = GetModuleHandleA(nullptr);
    g_quiz = quiz.get();
    ContentHeight = 0;
    main = CreateMainWindow();
    g_panel = CreatePanel(main);
    g_panelProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordScroll)));
    if (shown) {
        ShowWindow(main, SW_SHOWNORMAL);
        ShowWindow(g_panel, SW_SHOWNORMAL);
    }
    PumpMessages();
    g_scrollCodes.clear();
}

PlayerWindow::~PlayerWindow()
{
    DestroyWindow(main);
    PumpMessages();
    g_panel = nullptr;
    g_quiz = nullptr;
}

HWND PlayerWindow::ChildAt(int x, int y, int width, int height) const
{
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = PlaceOf(child);
        if (r.left == x && r.top == y && r.right - r.left == width && r.bottom - r.top == height)
            return child;
    }
    return nullptr;
}

std::string PlayerWindow::Score() const
{
    return TextOf(GetDlgItem(main, SCORE_LABEL_ID));
}

std::string PlayerWindow::Code() const
{
    return TextOf(GetDlgItem(main, CODE_LABEL_ID));
}

InNewDirectory::InNewDirectory()
{
    static int serial = 0;
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    GetCurrentDirectoryA(MAX_PATH, previous);
    path = temporary + std::string("quizz-test-") + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++serial);
    CreateDirectoryA(path.c_str(), nullptr);
    SetCurrentDirectoryA(path.c_str());
}

InNewDirectory::~InNewDirectory()
{
    SetCurrentDirectoryA(previous);
    RemoveDirectoryA(path.c_str());
}
