#include "atelier/window/picture_preview.h"

#include "atelier/window/atelier_state.h"
#include "quiz/picture_size.h"

namespace {

constexpr const wchar_t* PREVIEW_CLASS = L"AtelierPicture";

struct Preview {
    HBITMAP bitmap = nullptr;
    SIZE size = {};
    COLORREF background = RGB(255, 255, 255);
};

Preview* PreviewOf(HWND window)
{
    return reinterpret_cast<Preview*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void DropBitmap(Preview& preview)
{
    if (preview.bitmap)
        DeleteObject(preview.bitmap);
    preview.bitmap = nullptr;
    preview.size = {};
}

// A top-down 32-bit DIB of the picture, its alpha laid on the background.
HBITMAP BitmapOf(const DecodedPicture& picture, COLORREF background)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    auto* out = static_cast<unsigned char*>(bits);
    const unsigned char under[3] = {GetBValue(background), GetGValue(background),
                                    GetRValue(background)};
    const size_t pixels = static_cast<size_t>(picture.width) * picture.height;
    for (size_t i = 0; i < pixels && i * 4 + 3 < picture.rgba.size(); ++i) {
        const unsigned char* in = &picture.rgba[i * 4];
        const int alpha = in[3];
        for (int c = 0; c < 3; ++c)
            out[i * 4 + c] =
                static_cast<unsigned char>((in[2 - c] * alpha + under[c] * (255 - alpha)) / 255);
        out[i * 4 + 3] = 0;
    }
    return bitmap;
}

// Paints the whole preview into dc: the window's own, or one that asks for a
// copy of it (WM_PRINTCLIENT).
void Paint(HWND window, HDC dc)
{
    const Preview* preview = PreviewOf(window);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(preview ? preview->background : RGB(255, 255, 255));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    if (preview && preview->bitmap) {
        // Fitted into the square and stretched as the player does: a small
        // picture is enlarged there too.
        const PictureSize fitted =
            FittedSize({preview->size.cx, preview->size.cy}, {PICTURE_SQUARE, PICTURE_SQUARE});
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, preview->bitmap);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, (client.right - fitted.width) / 2, (client.bottom - fitted.height) / 2,
                   fitted.width, fitted.height, source, 0, 0, preview->size.cx, preview->size.cy,
                   SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else if (preview) {
        wchar_t shown[256] = {};
        GetWindowTextW(window, shown, 256);
        HGDIOBJ old = SelectObject(dc, g_font);
        SetBkMode(dc, TRANSPARENT);
        RECT text = client;
        InflateRect(&text, -8, -8);
        RECT measured = text;
        DrawTextW(dc, shown, -1, &measured, DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        OffsetRect(&text, 0, (text.bottom - text.top - (measured.bottom - measured.top)) / 2);
        DrawTextW(dc, shown, -1, &text, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    Paint(window, dc);
    EndPaint(window, &paint);
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        // Freed at WM_NCDESTROY, which the analyzer does not follow.
        // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Preview));
        return 0;
        // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_PRINTCLIENT:
        Paint(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY: {
        Preview* preview = PreviewOf(window);
        if (preview)
            DropBitmap(*preview);
        delete preview;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

HWND CreatePicturePreview(HWND parent, int id)
{
    static const bool registered = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = PreviewProc;
        windowClass.hInstance = g_instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = PREVIEW_CLASS;
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered)
        return nullptr;
    return CreateWindowExW(0, PREVIEW_CLASS, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance, nullptr);
}

void ShowPreviewPicture(HWND preview, const DecodedPicture& picture, COLORREF background)
{
    Preview* shown = PreviewOf(preview);
    if (!shown)
        return;
    DropBitmap(*shown);
    shown->background = background;
    shown->bitmap = BitmapOf(picture, background);
    if (shown->bitmap)
        shown->size = {picture.width, picture.height};
    // What it shows, in words: for screen readers and the tests' robot.
    std::wstring text = L"Image de " + std::to_wstring(picture.width) + L" × " +
                        std::to_wstring(picture.height) + L" pixels";
    const PictureSize fitted =
        FittedSize({picture.width, picture.height}, {PICTURE_SQUARE, PICTURE_SQUARE});
    if (fitted.width > picture.width)
        text += L", agrandie à " + std::to_wstring(fitted.width) + L" × " +
                std::to_wstring(fitted.height) + L" comme dans le lecteur";
    SetWindowTextW(preview, shown->bitmap ? text.c_str() : L"");
    InvalidateRect(preview, nullptr, FALSE);
}

void ShowPreviewText(HWND preview, const std::wstring& text, COLORREF background)
{
    Preview* shown = PreviewOf(preview);
    if (!shown)
        return;
    DropBitmap(*shown);
    SetWindowTextW(preview, text.c_str());
    shown->background = background;
    InvalidateRect(preview, nullptr, FALSE);
}
