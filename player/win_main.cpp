#include "player/app_globals.h"
#include "player/hand_in.h"
#include "player/loader.h"
#include "player/main_window.h"
#include "player/media_files.h"
#include "player/media_playback.h"
#include "player/panel.h"
#include "player/picture_loading.h"

namespace {

// Films play in a control that "atl.dll" hosts; without it, or without the
// export that hosts controls, a video quiz cannot be shown at all.
HMODULE LoadControlHost()
{
    HMODULE atl = LoadLibraryA("atl.dll");
    if (!atl)
        return nullptr;
    g_atlAxAttachControl = reinterpret_cast<AtlAxAttachControlFunction>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxAttachControl")));
    if (!g_atlAxAttachControl) {
        FreeLibrary(atl);
        return nullptr;
    }
    return atl;
}

void ReleaseQuiz()
{
    ClearQuestions(*g_quiz);
    delete g_quiz;
    g_quiz = nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    g_instance = instance;
    g_quiz = new QuizRecord;
    LoadQuiz(*g_quiz);
    QuizRules rules;
    LoadRules(rules);
    g_rules = &rules;
    g_workKey = LoadWorkKey();
    if (!RegisterMainWindowClass()) {
        ReleaseQuiz();
        return 0;
    }

    const bool video = g_quiz->layoutKind == LAYOUT_VIDEO;
    HMODULE atl = nullptr;
    if (video) {
        atl = LoadControlHost();
        if (!atl) {
            ReleaseQuiz();
            return 1;
        }
        CoInitialize(nullptr);
    }

    // Before the panel reads the answers file, which a new pupil empties.
    if (!g_workKey.empty())
        AskPupilAtStart();
    HWND mainWindow = CreateMainWindow();
    CentreOnDesktop(mainWindow);
    g_panel = CreatePanel(mainWindow);
    ShowWindow(mainWindow, show);
    ShowWindow(g_panel, show);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        if (TranslateHandInKeys(mainWindow, message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // Pictures still loading at close: nothing may run while the process ends.
    StopPictureLoading();

    if (video) {
        ReleaseFilmPlayers();
        DeleteFilmFiles();
        DestroyWindow(mainWindow);
        CoUninitialize();
        FreeLibrary(atl);
    }
    ReleaseQuiz();
    return static_cast<int>(message.wParam);
}
