#include "tests/windows/player/player_window.h"

#include "player/app_globals.h"
#include "player/header_bar.h"
#include "player/main_window.h"
#include "player/panel.h"
#include "player/panel_controls.h"
#include "player/picture_loading.h"

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

void WaitForPictures()
{
    while (PicturesLoading()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
}

bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

HWND Box(int n)
{
    return GetDlgItem(g_panel, ANSWER_BOX_BASE + n);
}

std::string Verdict(int n)
{
    return WindowText(GetDlgItem(g_panel, VERDICT_LABEL_BASE + n));
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
    g_instance = GetModuleHandleA(nullptr);
    RegisterMainWindowClass(); // the first time; later it is there already
    g_quiz = quiz.get();
    ContentHeight = 0;
    main = CreateMainWindow();
    g_panel = CreatePanel(main);
    if (shown) {
        ShowWindow(main, SW_SHOWNORMAL);
        ShowWindow(g_panel, SW_SHOWNORMAL);
    }
    WaitForPictures();
    PumpMessages();
}

PlayerWindow::~PlayerWindow()
{
    DestroyWindow(main);
    PumpMessages();
    g_panel = nullptr;
    g_quiz = nullptr;
}

std::string PlayerWindow::Score() const
{
    return WindowText(GetDlgItem(main, SCORE_LABEL_ID));
}

InNewDirectory::InNewDirectory() : path(TemporaryPath("directory"))
{
    GetCurrentDirectoryA(MAX_PATH, previous);
    CreateDirectoryA(path.c_str(), nullptr);
    SetCurrentDirectoryA(path.c_str());
}

InNewDirectory::~InNewDirectory()
{
    SetCurrentDirectoryA(previous);
    RemoveDirectoryA(path.c_str());
}
