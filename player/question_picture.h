// Question pictures placed in the panel's controls, on the interface thread:
// those the background loading has ready (it says so with WM_PICTURE_READY),
// and the swap to a question's reveal picture once it is solved.
#pragma once

#include <windows.h>

// Once the cells are built: returns when the pictures of the questions whose
// square begins within viewHeight of the top are in place.
void ShowFirstScreenPictures(HWND panel, int viewHeight);

// WM_PICTURE_READY: shows the question's picture, or its reveal picture when
// the question was solved meanwhile.
void ShowLoadedPicture(HWND panel, int question);

// Puts question i's reveal picture in place of its picture, centred in its
// square where the cell stands now; the bitmap it replaces is deleted. A
// missing reveal picture changes nothing. While the question's picture is
// still being loaded, the reveal picture is loaded in its place.
void ShowRevealPicture(HWND panel, int question);

// Every reveal picture shown, or still to come, gives way to its question's
// own picture again, as at a fresh start (the boxes emptied for a new pupil).
void HideRevealPictures(HWND panel);
