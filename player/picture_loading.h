// The question pictures of the picture layout, loaded in the background: the
// window shows once the pictures of its first screen are ready, and the
// others follow on worker threads, those in view first, while the user types,
// scrolls and closes. Each ready picture is told to the panel by a posted
// message; what shows it (question_picture.h) takes it from here, so that
// the pictures shown and every bitmap's owner are as if each had been loaded
// while its cell was built.
#pragma once

#include <windows.h>

// Posted to the panel when question wParam's picture is ready to be shown.
constexpr UINT WM_PICTURE_READY = WM_APP + 1;

// Before the cells are built: questions 1 to count each have a picture to
// come, and the workers start on them at once, so that the first pictures
// are decoded while the cells are built. Any loading still running for an
// earlier panel is stopped first.
void StartPictureLoading(HWND panel, int count);

// Once the cells are built: waits, for a few seconds at most, for the
// pictures of the questions whose square begins within viewHeight of the
// top, and returns how many questions those are.
int WaitForFirstScreen(int viewHeight);

struct LoadedPicture {
    HBITMAP bitmap = nullptr; // the caller's from now on; none: an empty square
    bool reveal = false;      // the question's reveal picture
};

// WM_PICTURE_READY: false when the question's picture is not ready or was
// taken already; its reveal picture when the question was solved meanwhile.
bool TakeLoadedPicture(int question, LoadedPicture* loaded);

// True when the question's picture is still to come: its reveal picture is
// then loaded in its place, or the picture itself when there is none.
bool RevealWhenLoaded(int question);

// The reveal pictures asked for while their questions' pictures were still
// to come are no longer wanted: each question's own picture comes instead.
void ForgetWantedReveals();

// The panel was scrolled: the pictures now in view come next.
void PicturesFollowView(HWND panel);

// Whether a picture planned is not shown yet.
bool PicturesLoading();

// Stops the workers, waits for the picture each may be decoding, and deletes
// the pictures never shown. Nothing runs afterwards.
void StopPictureLoading();
