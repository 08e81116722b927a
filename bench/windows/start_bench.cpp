// A 90-question quiz of 1600 x 1200 photos (about 600 KB each), started as a
// double-click starts it: how long until its window shows with the pictures
// of its first screen, until all 90 are in place, and until it has closed;
// with the most memory it took. start_bench PLAYER.exe PHOTO.jpg
#include "player/panel_controls.h"
#include "tests/support/resource_module.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

constexpr int RUNS = 3;
constexpr int QUESTIONS = 90;

double Since(LARGE_INTEGER from)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / frequency.QuadPart;
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK NoteVisibleWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD process)
{
    Search search = {process, nullptr};
    EnumWindows(NoteVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool PictureShown(HWND panel, int question)
{
    return SendDlgItemMessageA(panel, PICTURE_BASE + question, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: start_bench PLAYER.exe PHOTO.jpg\n");
        return 2;
    }
    std::ifstream file(argv[2], std::ios::binary);
    const std::vector<unsigned char> photo{std::istreambuf_iterator<char>(file), {}};
    auto resources = QuizResources(*MakeQuiz(LAYOUT_PICTURE, QUESTIONS, 1, REVEAL_NONE));
    for (int i = 1; i <= QUESTIONS; ++i)
        resources.push_back({"IMG", MEDIA_RESOURCE_BASE + i, photo});
    const std::string program = TemporaryPath("photos.exe");
    if (!WriteModuleCopy(argv[1], program, resources)) {
        fprintf(stderr, "start_bench: cannot write %s\n", program.c_str());
        return 1;
    }
    // Started in its own folder, where it keeps its answers.
    const std::string folder = program.substr(0, program.find_last_of('\\'));
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExA(program.c_str(), GetFileExInfoStandard, &attributes);

    double window = 0, complete = 0, closed = 0;
    SIZE_T memory = 0;
    for (int run = 0; run < RUNS; ++run) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        if (!CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &process))
            return 1;
        HWND main = nullptr, panel = nullptr;
        // The first screen is whole when its first picture is there. Each
        // look is a message the player handles: one every few milliseconds
        // at most, so that looking does not slow it down.
        while (!panel || !PictureShown(panel, 1)) {
            Sleep(1);
            main = main ? main : VisibleWindowOf(process.dwProcessId);
            panel = main ? FindWindowExA(main, nullptr, "#32770", nullptr) : nullptr;
        }
        window += Since(start) / RUNS;
        for (int question = 2; question <= QUESTIONS;)
            if (PictureShown(panel, question))
                ++question;
            else
                Sleep(2);
        complete += Since(start) / RUNS;
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters);
        memory = counters.PeakWorkingSetSize > memory ? counters.PeakWorkingSetSize : memory;
        LARGE_INTEGER closing;
        QueryPerformanceCounter(&closing);
        PostMessageA(main, WM_CLOSE, 0, 0);
        WaitForSingleObject(process.hProcess, INFINITE);
        closed += Since(closing) / RUNS;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DeleteFileA(program.c_str());
    DeleteFileA((program.substr(0, program.size() - 3) + "txt").c_str());

    printf("start of a quiz of %d photos of 1600x1200 (a %.1f MB program), mean of %d runs:\n",
           QUESTIONS, attributes.nFileSizeLow / 1e6, RUNS);
    printf("window shown with its first pictures: %8.1f ms\n", window);
    printf("all %d pictures in place:             %8.1f ms\n", QUESTIONS, complete);
    printf("closed, once all were in place:       %8.1f ms\n", closed);
    printf("peak memory (working set):            %8.1f MB\n", memory / 1e6);
    return 0;
}
