// Question pictures: an image resource decoded (JPEG by the system's imaging
// component, other pictures by its OLE picture loader) and fitted into a box,
// and the swap to a question's reveal picture once it is solved.
// Every function but ShowRevealPicture and PlacePicture may run on any thread.
#pragma once

#include <windows.h>

// A screen-compatible bitmap of the picture fitted into the box (aspect kept,
// the limiting side at the box's size) with halftone stretching, owned by
// the caller; nullptr when the resource is missing or is not a picture.
HBITMAP LoadQuestionPicture(HMODULE module, int name, const char* type, int boxWidth,
                            int boxHeight);

// The size the control of a question picture is made at, before the picture
// itself is decoded: the fitted size its JPEG header gives, or the whole
// square when it has none.
SIZE PlannedPictureSize(HMODULE module, int name, const char* type);

// Shows bitmap (owned by the control from now on; none: an empty square) in
// question i's picture control, sized to it and centred in its square where
// the cell stands now: the square of the question picture, or for a reveal
// picture the one ten pixels to its left. The bitmap it replaces is deleted.
void PlacePicture(HWND panel, int question, HBITMAP bitmap, bool reveal);

// Puts question i's reveal picture in place of its picture, centred in its
// square where the cell stands now; the bitmap it replaces is deleted. A
// missing reveal picture changes nothing. While the question's picture is
// still being loaded, the reveal picture is loaded in its place.
void ShowRevealPicture(HWND panel, int question);
