#include "player/picture_decoding.h"

#include "player/loader.h"
#include "quiz/media_format.h"
#include "quiz/picture_size.h"
#include "win32/wic_decoding.h"

#include <ocidl.h>
#include <olectl.h>

namespace {

// A screen-compatible bitmap of the source fitted into the box, which draw
// (dc, width, height) fills with halftone stretching.
template <typename Draw> HBITMAP Fitted(SIZE source, int boxWidth, int boxHeight, Draw draw)
{
    const PictureSize fitted = FittedSize({source.cx, source.cy}, {boxWidth, boxHeight});
    HDC screen = GetDC(nullptr);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP result = CreateCompatibleBitmap(screen, fitted.width, fitted.height);
    HGDIOBJ oldTo = SelectObject(to, result);
    SetStretchBltMode(to, HALFTONE);
    draw(to, fitted.width, fitted.height);
    SelectObject(to, oldTo);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return result;
}

// Straight from the decoder's pixels: no full-size bitmap is made.
HBITMAP FitPixelsToBox(const WicPixels& pixels, int boxWidth, int boxHeight)
{
    const LONG width = static_cast<LONG>(pixels.width);
    const LONG height = static_cast<LONG>(pixels.height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = pixels.bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return Fitted({width, height}, boxWidth, boxHeight, [&](HDC to, int toWidth, int toHeight) {
        StretchDIBits(to, 0, 0, toWidth, toHeight, 0, 0, width, height, pixels.rows.data(), &info,
                      DIB_RGB_COLORS, SRCCOPY);
    });
}

HBITMAP FitBitmapToBox(HBITMAP bitmap, int boxWidth, int boxHeight)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    const SIZE source = {info.bmWidth, info.bmHeight};
    return Fitted(source, boxWidth, boxHeight, [&](HDC to, int width, int height) {
        HDC from = CreateCompatibleDC(to);
        HGDIOBJ oldFrom = SelectObject(from, bitmap);
        StretchBlt(to, 0, 0, width, height, from, 0, 0, source.cx, source.cy, SRCCOPY);
        SelectObject(from, oldFrom);
        DeleteDC(from);
    });
}

// The system's picture loader, for the pictures that are not JPEGs (GIF,
// BMP), and any JPEG the imaging component refuses.
HBITMAP DecodeWithOle(const void* bytes, DWORD size)
{
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
    return copy;
}

// JPEGs by the imaging component, four times faster under Wine than the OLE
// picture loader; the rest by the loader, which has no limit of its own and
// so is given nothing the imaging component finds too large.
HBITMAP DecodeAndFit(const unsigned char* bytes, std::size_t size, int boxWidth, int boxHeight)
{
    WicResult result = WicResult::Unreadable;
    if (DetectMediaFormat(bytes, size) == MediaFormat::Jpeg) {
        WicPixels pixels;
        result = DecodeWithWic(bytes, size, WicLayout::DecodedBgr, pixels);
        if (result == WicResult::Decoded)
            return FitPixelsToBox(pixels, boxWidth, boxHeight);
    } else {
        UINT width = 0, height = 0;
        result = ReadWicSize(bytes, size, width, height);
    }
    HBITMAP decoded =
        result == WicResult::TooLarge ? nullptr : DecodeWithOle(bytes, static_cast<DWORD>(size));
    if (!decoded)
        return nullptr;
    HBITMAP fitted = FitBitmapToBox(decoded, boxWidth, boxHeight);
    // The full-size picture is not shown: only the fitted one is kept.
    DeleteObject(decoded);
    return fitted;
}

} // namespace

HBITMAP DecodeQuestionPicture(const unsigned char* bytes, std::size_t size, int boxWidth,
                              int boxHeight)
{
    // Balanced on every way out; an earlier initialisation (a worker's, a
    // film quiz's) makes it a count.
    CoInitialize(nullptr);
    HBITMAP fitted = DecodeAndFit(bytes, size, boxWidth, boxHeight);
    CoUninitialize();
    return fitted;
}

HBITMAP LoadQuestionPicture(HMODULE module, int name, const char* type, int boxWidth, int boxHeight)
{
    const Resource picture = ReadResource(module, name, type);
    return picture.data ? DecodeQuestionPicture(picture.data, picture.size, boxWidth, boxHeight)
                        : nullptr;
}

SIZE PlannedPictureSize(HMODULE module, int name, const char* type)
{
    const Resource picture = ReadResource(module, name, type);
    JpegHeader header = {};
    if (!picture.data || !ReadJpegHeader(picture.data, picture.size, &header))
        return {PICTURE_SQUARE, PICTURE_SQUARE};
    const PictureSize fitted = FittedSize(header.size, {PICTURE_SQUARE, PICTURE_SQUARE});
    return {fitted.width, fitted.height};
}
