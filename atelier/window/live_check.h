// The check that the atelier runs after every change, on a thread of its own
// so that typing never waits for it: what `quizzpack check` finds in the
// source that saving would write, its media read from the document's folder,
// each picture stored once for all the checks that follow
// (media/picture_cache.h). The same thread makes the picture of the preview
// as the player will show it. Only the latest request of each kind is done;
// results come back to the window as messages whose lParam it takes over.
#pragma once

#include "authoring/media/picture_decoder.h"
#include "authoring/source/problem.h"

#include <windows.h>

#include <string>
#include <vector>

constexpr UINT WM_CHECKED = WM_APP + 10;   // lParam: CheckResult*
constexpr UINT WM_PREVIEWED = WM_APP + 11; // lParam: PreviewResult*

struct CheckResult {
    unsigned revision = 0;
    std::vector<Problem> problems;
};

struct PreviewResult {
    unsigned request = 0;
    bool shown = false; // picture holds the stored picture, decoded
    DecodedPicture picture;
    std::string reason; // why not, in French
};

void StartLiveCheck(HWND window);

// Stops the thread, the work under way done first; results not taken are
// dropped.
void StopLiveCheck();

// mediaBase is the source path the media are found from (quiz_document.h).
void RequestCheck(unsigned revision, const std::string& text, const std::string& mediaBase);

// path is the picture's file; background the quiz's colour (COLORREF).
void RequestPreview(unsigned request, const std::string& path, uint32_t background);

// The cache the checks share, for the builds that the atelier makes itself.
struct StoredPictureCache;
StoredPictureCache& SharedPictureCache();
