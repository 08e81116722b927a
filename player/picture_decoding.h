// Question pictures decoded and fitted into a box: JPEG by the system's
// imaging component, other pictures by its OLE picture loader, so that the
// fitted bitmaps are the ones the player has always shown. Any thread; no
// window is touched.
#pragma once

#include <windows.h>

#include <cstddef>

// A screen-compatible bitmap of the picture fitted into the box (aspect kept,
// the limiting side at the box's size) with halftone stretching, owned by the
// caller; nullptr when the bytes are not a picture, or one whose header gives
// more than MAX_DECODED_PIXELS (quiz/picture_size.h).
HBITMAP DecodeQuestionPicture(const unsigned char* bytes, std::size_t size, int boxWidth,
                              int boxHeight);

// DecodeQuestionPicture of an image resource; nullptr when it is missing.
HBITMAP LoadQuestionPicture(HMODULE module, int name, const char* type, int boxWidth,
                            int boxHeight);

// The size the control of a question picture is made at, before the picture
// itself is decoded: the fitted size its JPEG header gives, or the whole
// square when it has none.
SIZE PlannedPictureSize(HMODULE module, int name, const char* type);
