// Question pictures: an image resource decoded with the system's OLE picture
// loader (JPEG, GIF, BMP) and fitted into a box, and the swap to a question's
// reveal picture once it is solved.
#pragma once

#include <windows.h>

// A screen-compatible bitmap of the picture fitted into the box (aspect kept,
// the limiting side at the box's size), owned by the caller; nullptr when the
// resource is missing or is not a picture.
HBITMAP LoadQuestionPicture(HMODULE module, int name, const char* type, int boxWidth,
                            int boxHeight);

// The picture in bytes at its own size, or nullptr.
HBITMAP DecodePicture(const void* bytes, DWORD size);

// A new bitmap of bitmap fitted into the box, with halftone stretching.
HBITMAP FitBitmapToBox(HBITMAP bitmap, int boxWidth, int boxHeight);

// Puts question i's reveal picture in place of its picture, centred in its
// square where the cell stands now; the bitmap it replaces is deleted. A
// missing reveal picture changes nothing.
void ShowRevealPicture(HWND panel, int question);
