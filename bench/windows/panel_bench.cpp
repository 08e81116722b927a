// How long the panel of a 90-question picture quiz takes to build with the
// pictures of its first screen in place, and until all 90 are (180 JPEG
// pictures of 640 x 480 in this program), and F1 on 90 questions of two
// answers, all unsolved; with the GDI objects the process holds after each.
#include "player/answer_grading.h"
#include "player/app_globals.h"
#include "player/main_window.h"
#include "player/panel.h"
#include "player/panel_controls.h"
#include "player/picture_loading.h"
#include "tests/support/resource_module.h"

#include <cstdio>
#include <memory>
#include <set>

namespace {

constexpr int RUNS = 5;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// The bitmaps the picture controls show: one per question, nothing shared.
size_t ShownBitmaps(HWND panel)
{
    std::set<HANDLE> bitmaps;
    for (int i = 1; i <= MAX_QUESTIONS; ++i)
        if (HANDLE bitmap = reinterpret_cast<HANDLE>(
                SendDlgItemMessageA(panel, PICTURE_BASE + i, STM_GETIMAGE, IMAGE_BITMAP, 0)))
            bitmaps.insert(bitmap);
    return bitmaps.size();
}

DWORD GdiObjects()
{
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

} // namespace

int main()
{
    g_instance = GetModuleHandleA(nullptr);
    RegisterMainWindowClass();
    printf("panel benchmark: mean of %d runs (GDI objects: 0 where the platform does not count)\n",
           RUNS);

    double build = 0, complete = 0, fill = 0;
    size_t shown = 0;
    DWORD gdiAfterBuild = 0, gdiAfterFill = 0;
    for (int run = 0; run < RUNS; ++run) {
        auto pictures = MakeQuiz(LAYOUT_PICTURE, MAX_QUESTIONS, 1, REVEAL_PICTURE);
        g_quiz = pictures.get();
        HWND main = CreateMainWindow();
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        g_panel = CreatePanel(main);
        QueryPerformanceCounter(&end);
        build += Milliseconds(start, end) / RUNS;
        while (PicturesLoading()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
        }
        QueryPerformanceCounter(&end);
        complete += Milliseconds(start, end) / RUNS;
        shown = ShownBitmaps(g_panel);
        gdiAfterBuild = GdiObjects();
        DestroyWindow(main);

        auto boxes = MakeQuiz(LAYOUT_TEXT, MAX_QUESTIONS, 2, REVEAL_PICTURE);
        g_quiz = boxes.get();
        main = CreateMainWindow();
        g_panel = CreatePanel(main);
        HWND box = GetDlgItem(g_panel, ANSWER_BOX_BASE + 1);
        SetWindowTextA(box, "Lyon");
        SetFocus(box);
        QueryPerformanceCounter(&start);
        FillUnsolvedAnswers(box);
        QueryPerformanceCounter(&end);
        fill += Milliseconds(start, end) / RUNS;
        gdiAfterFill = GdiObjects();
        DestroyWindow(main);
    }
    printf("panel of 90 pictures of 640x480, first screen: %8.1f ms\n", build);
    printf("                                all in place: %8.1f ms  (%zu bitmaps shown, GDI %lu)\n",
           complete, shown, gdiAfterBuild);
    printf("F1 over 180 unsolved boxes:                   %8.1f ms  (GDI %lu)\n", fill,
           gdiAfterFill);
    return 0;
}
