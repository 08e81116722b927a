#include "atelier/window/live_check.h"

#include "authoring/media/media_lookup.h"
#include "authoring/media/picture_cache.h"
#include "authoring/media/wic_picture_decoder.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/quiz_build.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

namespace {

struct CheckRequest {
    unsigned revision;
    std::string text;
    std::string mediaBase;
};

struct PreviewRequest {
    unsigned request;
    std::string path;
    uint32_t background;
};

struct Worker {
    HWND window = nullptr;
    std::thread thread;
    std::mutex lock;
    std::condition_variable wake;
    std::atomic<bool> stopping{false};
    std::unique_ptr<CheckRequest> check;
    std::unique_ptr<PreviewRequest> preview;
};
Worker g_worker;

void Deliver(UINT message, void* result)
{
    if (!PostMessageW(g_worker.window, message, 0, reinterpret_cast<LPARAM>(result))) {
        if (message == WM_CHECKED)
            delete static_cast<CheckResult*>(result);
        else
            delete static_cast<PreviewResult*>(result);
    }
}

// The platform's decoder, which gives up once the atelier closes: a check of
// many new photos then ends at once instead of keeping the window waiting.
bool DecodeUnlessStopping(const std::vector<unsigned char>& bytes, DecodedPicture& picture,
                          std::string& reason)
{
    if (g_worker.stopping) {
        reason = u8"l'atelier se ferme";
        return false;
    }
    return DecodePictureWithWic(bytes, picture, reason);
}

void Check(const CheckRequest& request)
{
    auto* result = new CheckResult;
    result->revision = request.revision;
    QuizSource source;
    std::vector<QuizResource> resources;
    BuildQuizFromText(request.text, MediaBesideSource(request.mediaBase), DecodeUnlessStopping,
                      source, resources, result->problems, &SharedPictureCache());
    Deliver(WM_CHECKED, result);
}

void Preview(const PreviewRequest& request)
{
    auto* result = new PreviewResult;
    result->request = request.request;
    std::vector<unsigned char> bytes;
    StoredPicture stored;
    std::string reason;
    // The check catches its own; out of this thread, an exception would end
    // the atelier.
    try {
        result->shown =
            ReadWholeFile(request.path, bytes, reason, MAX_MEDIUM_BYTES, MediumTooLarge()) &&
            StorePictureCached(SharedPictureCache(), bytes, DecodePictureWithWic,
                               request.background, stored, reason) &&
            DecodePictureWithWic(stored.bytes, result->picture, reason);
    } catch (const std::bad_alloc&) {
        result->shown = false;
        reason = OUT_OF_MEMORY;
    }
    if (!result->shown)
        result->reason = reason;
    Deliver(WM_PREVIEWED, result);
}

// The preview first: the teacher waits for it, not for the check.
void Work()
{
    for (;;) {
        std::unique_ptr<CheckRequest> check;
        std::unique_ptr<PreviewRequest> preview;
        {
            std::unique_lock<std::mutex> held(g_worker.lock);
            g_worker.wake.wait(
                held, [] { return g_worker.stopping || g_worker.check || g_worker.preview; });
            if (g_worker.stopping)
                return;
            if (g_worker.preview)
                preview = std::move(g_worker.preview);
            else
                check = std::move(g_worker.check);
        }
        if (preview)
            Preview(*preview);
        if (check)
            Check(*check);
    }
}

} // namespace

StoredPictureCache& SharedPictureCache()
{
    static StoredPictureCache cache;
    return cache;
}

void StartLiveCheck(HWND window)
{
    g_worker.window = window;
    g_worker.stopping = false;
    g_worker.thread = std::thread(Work);
}

void StopLiveCheck()
{
    {
        std::lock_guard<std::mutex> held(g_worker.lock);
        g_worker.stopping = true;
        g_worker.check.reset();
        g_worker.preview.reset();
    }
    g_worker.wake.notify_one();
    if (g_worker.thread.joinable())
        g_worker.thread.join();
    // Results posted but not taken.
    MSG message;
    while (PeekMessageW(&message, g_worker.window, WM_CHECKED, WM_PREVIEWED, PM_REMOVE)) {
        if (message.message == WM_CHECKED)
            delete reinterpret_cast<CheckResult*>(message.lParam);
        else
            delete reinterpret_cast<PreviewResult*>(message.lParam);
    }
}

void RequestCheck(unsigned revision, const std::string& text, const std::string& mediaBase)
{
    {
        std::lock_guard<std::mutex> held(g_worker.lock);
        g_worker.check.reset(new CheckRequest{revision, text, mediaBase});
    }
    g_worker.wake.notify_one();
}

void RequestPreview(unsigned request, const std::string& path, uint32_t background)
{
    {
        std::lock_guard<std::mutex> held(g_worker.lock);
        g_worker.preview.reset(new PreviewRequest{request, path, background});
    }
    g_worker.wake.notify_one();
}
