#include "player/picture_loading.h"

#include "player/app_globals.h"
#include "player/cell_geometry.h"
#include "player/picture_decoding.h"
#include "quiz/picture_size.h"
#include "quiz/resource_names.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// A first screen that takes longer than this (pictures of tens of
// megapixels) is shown anyway; its pictures follow like the others.
constexpr auto FIRST_SCREEN_WAIT = std::chrono::seconds(5);
constexpr unsigned MAX_WORKERS = 4;

enum JobState { WAITING, TAKEN, READY, SHOWN };

struct PictureJob {
    std::atomic<int> state{SHOWN};
    std::atomic<bool> revealWanted{false};
    // Written by the worker before READY, read by the interface thread after.
    bool revealTried = false;
    bool isReveal = false;
    HBITMAP bitmap = nullptr;
};

struct Loading {
    PictureJob jobs[MAX_QUESTIONS + 1];
    int count = 0;
    HWND panel = nullptr;
    std::atomic<int> firstInView{1};
    std::atomic<bool> stopping{false};
    std::vector<std::thread> workers;
    std::mutex mutex;
    std::condition_variable ready;
};

Loading g_loading;

// The next picture to load: the first still waiting from the view's first
// question on, going round to the top.
int TakeJob()
{
    const int count = g_loading.count;
    const int first = g_loading.firstInView.load();
    for (int k = 0; k < count; ++k) {
        const int question = (first - 1 + k) % count + 1;
        int waiting = WAITING;
        if (g_loading.jobs[question].state.compare_exchange_strong(waiting, TAKEN))
            return question;
    }
    return 0;
}

HBITMAP LoadFitted(HMODULE module, int name)
{
    return LoadQuestionPicture(module, name, MEDIA_RESOURCE_TYPE, PICTURE_SQUARE, PICTURE_SQUARE);
}

void Work()
{
    // Held for the worker's life, so that each decoding does not start COM anew.
    CoInitialize(nullptr);
    HMODULE module = GetModuleHandleA(nullptr);
    int question = 0;
    while (!g_loading.stopping.load() && (question = TakeJob()) != 0) {
        PictureJob& job = g_loading.jobs[question];
        job.revealTried = job.revealWanted.load();
        job.bitmap =
            job.revealTried ? LoadFitted(module, REVEAL_PICTURE_RESOURCE_BASE + question) : nullptr;
        job.isReveal = job.bitmap != nullptr;
        if (!job.bitmap)
            job.bitmap = LoadFitted(module, MEDIA_RESOURCE_BASE + question);
        {
            const std::lock_guard<std::mutex> lock(g_loading.mutex);
            job.state.store(READY);
        }
        g_loading.ready.notify_all();
        PostMessageA(g_loading.panel, WM_PICTURE_READY, static_cast<WPARAM>(question), 0);
    }
    CoUninitialize();
}

bool AllReady(int last)
{
    for (int question = 1; question <= last; ++question)
        if (g_loading.jobs[question].state.load() < READY)
            return false;
    return true;
}

} // namespace

void StartPictureLoading(HWND panel, int count)
{
    StopPictureLoading();
    g_loading.count = std::min(count, MAX_QUESTIONS);
    if (g_loading.count <= 0)
        return;
    g_loading.panel = panel;
    g_loading.firstInView = 1;
    g_loading.stopping = false;
    for (int question = 1; question <= g_loading.count; ++question) {
        PictureJob& job = g_loading.jobs[question];
        job.revealWanted = false;
        job.bitmap = nullptr;
        job.state = WAITING;
    }
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, MAX_WORKERS);
    for (unsigned k = 0; k < workers; ++k)
        g_loading.workers.emplace_back(Work);
}

int WaitForFirstScreen(int viewHeight)
{
    int firstScreen = 0;
    while (firstScreen < g_loading.count &&
           CellAt(*g_quiz, firstScreen + 1).rowY - PICTURE_SQUARE < viewHeight)
        ++firstScreen;
    std::unique_lock<std::mutex> lock(g_loading.mutex);
    g_loading.ready.wait_for(lock, FIRST_SCREEN_WAIT, [&] { return AllReady(firstScreen); });
    return firstScreen;
}

bool TakeLoadedPicture(int question, LoadedPicture* loaded)
{
    if (question < 1 || question > g_loading.count)
        return false;
    PictureJob& job = g_loading.jobs[question];
    int ready = READY;
    if (!job.state.compare_exchange_strong(ready, SHOWN))
        return false;
    loaded->bitmap = job.bitmap;
    loaded->reveal = job.isReveal;
    if (job.revealWanted.load() && !job.revealTried) {
        // Solved while its picture was being decoded.
        if (HBITMAP revealed =
                LoadFitted(GetModuleHandleA(nullptr), REVEAL_PICTURE_RESOURCE_BASE + question)) {
            DeleteObject(loaded->bitmap);
            loaded->bitmap = revealed;
            loaded->reveal = true;
        }
    } else if (job.isReveal && !job.revealWanted.load()) {
        // Decoded while wanted, no longer: the boxes were emptied meanwhile.
        DeleteObject(loaded->bitmap);
        loaded->bitmap = LoadFitted(GetModuleHandleA(nullptr), MEDIA_RESOURCE_BASE + question);
        loaded->reveal = false;
    }
    return true;
}

bool RevealWhenLoaded(int question)
{
    if (question < 1 || question > g_loading.count ||
        g_loading.jobs[question].state.load() == SHOWN)
        return false;
    g_loading.jobs[question].revealWanted = true;
    return true;
}

void ForgetWantedReveals()
{
    for (int question = 1; question <= g_loading.count; ++question)
        if (g_loading.jobs[question].state.load() != SHOWN)
            g_loading.jobs[question].revealWanted = false;
}

void PicturesFollowView(HWND panel)
{
    if (g_loading.count == 0 || !PicturesLoading())
        return;
    const int top = GetScrollPos(panel, SB_VERT);
    int first = 1;
    while (first < g_loading.count && CellAt(*g_quiz, first).rowY <= top)
        ++first;
    g_loading.firstInView = first;
}

bool PicturesLoading()
{
    for (int question = 1; question <= g_loading.count; ++question)
        if (g_loading.jobs[question].state.load() != SHOWN)
            return true;
    return false;
}

void StopPictureLoading()
{
    g_loading.stopping = true;
    for (std::thread& worker : g_loading.workers)
        worker.join();
    g_loading.workers.clear();
    for (int question = 1; question <= g_loading.count; ++question) {
        PictureJob& job = g_loading.jobs[question];
        if (job.state.load() == READY)
            DeleteObject(job.bitmap);
        job.state = SHOWN;
    }
    g_loading.count = 0;
}
