// A question's picture as the player will show it: the stored picture fitted
// into the middle of the player's 260 × 260 square (a small one enlarged), on
// the quiz's colour; or a line of text in its place (no picture yet, the
// picture being made, or why it cannot be shown). Its window text says what
// it shows ("Image de 260 × 195 pixels", "Image de 100 × 80 pixels, agrandie
// à 260 × 208 comme dans le lecteur"). The window owns its bitmap.
#pragma once

#include "authoring/media/picture_decoder.h"

#include <windows.h>

#include <string>

HWND CreatePicturePreview(HWND parent, int id);

// background is a COLORREF.
void ShowPreviewPicture(HWND preview, const DecodedPicture& picture, COLORREF background);
void ShowPreviewText(HWND preview, const std::wstring& text, COLORREF background);
