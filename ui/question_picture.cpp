#include "ui/question_picture.h"

#include "ui/app_globals.h"
#include "ui/cell_geometry.h"
#include "ui/panel_controls.h"

#include <ocidl.h>
#include <olectl.h>

namespace {

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// How far the panel's content has moved since it was built: the first
// answer box of the cell is never moved but by scrolling.
POINT ScrollShift(HWND panel, int question)
{
    const int box =
        ANSWER_BOX_BASE + BoxesPerQuestion(g_quiz->answersPerQuestion) * (question - 1) + 1;
    RECT now;
    GetWindowRect(GetDlgItem(panel, box), &now);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&now), 2);
    const Point built = CellAt(*g_quiz, question).box;
    return {now.left - built.x, now.top - built.y};
}

} // namespace

HBITMAP LoadQuestionPicture(HMODULE module, int name, const char* type, int boxWidth, int boxHeight)
{
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(name), type);
    HGLOBAL resource = info ? LoadResource(module, info) : nullptr;
    if (!resource)
        return nullptr;
    HBITMAP decoded = DecodePicture(LockResource(resource), SizeofResource(module, info));
    FreeResource(resource);
    if (!decoded)
        return nullptr;
    HBITMAP fitted = FitBitmapToBox(decoded, boxWidth, boxHeight);
    // The full-size picture is not shown: only the fitted one is kept.
    DeleteObject(decoded);
    return fitted;
}

HBITMAP DecodePicture(const void* bytes, DWORD size)
{
    CoInitialize(nullptr);
    HBITMAP copy = nullptr;
    IStream* stream = nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
    if (block) {
        CopyMemory(block, bytes, size);
        if (CreateStreamOnHGlobal(block, TRUE, &stream) != S_OK) {
            GlobalFree(block);
            stream = nullptr;
        }
    }
    IPicture* picture = nullptr;
    if (stream &&
        OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                       reinterpret_cast<void**>(&picture)) == S_OK &&
        picture) {
        OLE_HANDLE handle = 0;
        if (picture->get_Handle(&handle) == S_OK && handle)
            copy = static_cast<HBITMAP>(CopyImage(
                reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
        picture->Release();
    }
    if (stream)
        stream->Release();
    CoUninitialize();
    return copy;
}

HBITMAP FitBitmapToBox(HBITMAP bitmap, int boxWidth, int boxHeight)
{
    const SIZE source = BitmapSize(bitmap);
    const double rx = static_cast<double>(boxWidth) / source.cx;
    const double ry = static_cast<double>(boxHeight) / source.cy;
    const double r = ry <= rx ? ry : rx;
    const int width = static_cast<int>(source.cx * r);
    const int height = static_cast<int>(source.cy * r);

    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP fitted = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldFrom = SelectObject(from, bitmap);
    HGDIOBJ oldTo = SelectObject(to, fitted);
    SetStretchBltMode(to, HALFTONE);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, source.cx, source.cy, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return fitted;
}

void ShowRevealPicture(HWND panel, int question)
{
    // Layouts without pictures have nowhere to show one.
    HWND control = GetDlgItem(panel, PICTURE_BASE + question);
    if (!control)
        return;
    HBITMAP reveal =
        LoadQuestionPicture(GetModuleHandleA(nullptr), REVEAL_PICTURE_RESOURCE_BASE + question,
                            MEDIA_RESOURCE_TYPE, PICTURE_BOX, PICTURE_BOX);
    if (!reveal)
        return;
    const SIZE size = BitmapSize(reveal);
    DeleteObject(reinterpret_cast<HGDIOBJ>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    const CellGeometry cell = CellAt(*g_quiz, question);
    const POINT shift = ScrollShift(panel, question);
    SetWindowPos(control, HWND_TOP, cell.columnX + 20 + (PICTURE_BOX - size.cx) / 2 + shift.x,
                 cell.rowY - PICTURE_BOX + (PICTURE_BOX - size.cy) / 2 + shift.y, size.cx, size.cy,
                 SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(reveal));
}
