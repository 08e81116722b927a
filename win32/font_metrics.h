// A font's metrics as a window's device draws it: what the atelier's
// windows lay their controls out by.
#pragma once

#include <windows.h>

TEXTMETRICW FontMetrics(HWND window, HFONT font);
