#include "player/question_picture.h"

#include "player/app_globals.h"
#include "player/cell_geometry.h"
#include "player/panel_controls.h"
#include "player/picture_loading.h"
#include "quiz/media_format.h"
#include "quiz/picture_size.h"

#include <ocidl.h>
#include <olectl.h>
#include <wincodec.h>

#include <cstdlib>

namespace {

// A reveal picture's square stands this far left of the question picture's.
constexpr int REVEAL_SQUARE_SHIFT = 10;

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

// The resource's bytes, read in place; false when it is missing.
bool ResourceBytes(HMODULE module, int name, const char* type, const unsigned char** bytes,
                   DWORD* size)
{
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(name), type);
    HGLOBAL resource = info ? LoadResource(module, info) : nullptr;
    if (!resource)
        return false;
    *bytes = static_cast<const unsigned char*>(LockResource(resource));
    *size = SizeofResource(module, info);
    return *bytes != nullptr;
}

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

// A decoded picture: rows of 24- or 32-bit pixels, blue first, top row
// first, each padded to four bytes as a bitmap's rows are.
struct Pixels {
    LONG width = 0;
    LONG height = 0;
    WORD bitsPerPixel = 0;
    UINT stride = 0;
    BYTE* rows = nullptr; // malloc'd
};

// The decoder's bytes for a picture are allocated with the picture; past
// this many, an allocation would tie up most of a 32-bit process.
constexpr double MAX_PIXELS = 64e6;

void Release(IUnknown* object)
{
    if (object)
        object->Release();
}

// Colour JPEGs come as 24-bit pixels, copied as they are; others (grey, CMYK)
// are converted to 32 bits, which Wine converts every kind to, unlike 24.
// A conversion keeps a copy of the whole picture: memory that photos
// decoding on every core would add up.
bool CopyPixels(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, Pixels* pixels)
{
    WICPixelFormatGUID format = {};
    IWICFormatConverter* converter = nullptr;
    IWICBitmapSource* source = frame;
    pixels->bitsPerPixel = 24;
    if (frame->GetPixelFormat(&format) != S_OK || format != GUID_WICPixelFormat24bppBGR) {
        pixels->bitsPerPixel = 32;
        if (factory->CreateFormatConverter(&converter) != S_OK ||
            converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                  nullptr, 0, WICBitmapPaletteTypeCustom) != S_OK) {
            Release(converter);
            return false;
        }
        source = converter;
    }
    UINT width = 0, height = 0;
    bool copied = source->GetSize(&width, &height) == S_OK && width > 0 && height > 0 &&
                  static_cast<double>(width) * height <= MAX_PIXELS;
    if (copied) {
        pixels->width = static_cast<LONG>(width);
        pixels->height = static_cast<LONG>(height);
        pixels->stride = (pixels->bitsPerPixel / 8 * width + 3) / 4 * 4;
        pixels->rows = static_cast<BYTE*>(malloc(static_cast<size_t>(pixels->stride) * height));
        copied = pixels->rows && source->CopyPixels(nullptr, pixels->stride,
                                                    pixels->stride * height, pixels->rows) == S_OK;
    }
    Release(converter);
    return copied;
}

// A JPEG decoded by the system's imaging component: four times faster under
// Wine than the OLE picture loader, and fit for any thread with COM.
bool DecodeJpeg(const unsigned char* bytes, DWORD size, Pixels* pixels)
{
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    const bool decoded = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_PPV_ARGS(&factory)) == S_OK &&
                         factory->CreateStream(&stream) == S_OK &&
                         stream->InitializeFromMemory(const_cast<BYTE*>(bytes), size) == S_OK &&
                         factory->CreateDecoderFromStream(
                             stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder) == S_OK &&
                         decoder->GetFrame(0, &frame) == S_OK && CopyPixels(factory, frame, pixels);
    Release(frame);
    Release(decoder);
    Release(stream);
    Release(factory);
    return decoded;
}

// Straight from the decoder's pixels: no full-size bitmap is made.
HBITMAP FitPixelsToBox(const Pixels& pixels, int boxWidth, int boxHeight)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = pixels.bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return Fitted({pixels.width, pixels.height}, boxWidth, boxHeight,
                  [&](HDC to, int width, int height) {
                      StretchDIBits(to, 0, 0, width, height, 0, 0, pixels.width, pixels.height,
                                    pixels.rows, &info, DIB_RGB_COLORS, SRCCOPY);
                  });
}

HBITMAP FitBitmapToBox(HBITMAP bitmap, int boxWidth, int boxHeight)
{
    const SIZE source = BitmapSize(bitmap);
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

} // namespace

HBITMAP LoadQuestionPicture(HMODULE module, int name, const char* type, int boxWidth, int boxHeight)
{
    const unsigned char* bytes = nullptr;
    DWORD size = 0;
    if (!ResourceBytes(module, name, type, &bytes, &size))
        return nullptr;
    // Balanced on every way out; an earlier initialisation (a worker's, a
    // film quiz's) makes it a count.
    CoInitialize(nullptr);
    HBITMAP fitted = nullptr;
    Pixels pixels;
    if (DetectMediaFormat(bytes, size) == MediaFormat::Jpeg && DecodeJpeg(bytes, size, &pixels)) {
        fitted = FitPixelsToBox(pixels, boxWidth, boxHeight);
    } else if (HBITMAP decoded = DecodeWithOle(bytes, size)) {
        fitted = FitBitmapToBox(decoded, boxWidth, boxHeight);
        // The full-size picture is not shown: only the fitted one is kept.
        DeleteObject(decoded);
    }
    free(pixels.rows);
    CoUninitialize();
    return fitted;
}

SIZE PlannedPictureSize(HMODULE module, int name, const char* type)
{
    const unsigned char* bytes = nullptr;
    DWORD size = 0;
    JpegHeader header = {};
    if (!ResourceBytes(module, name, type, &bytes, &size) || !ReadJpegHeader(bytes, size, &header))
        return {PICTURE_SQUARE, PICTURE_SQUARE};
    const PictureSize fitted = FittedSize(header.size, {PICTURE_SQUARE, PICTURE_SQUARE});
    return {fitted.width, fitted.height};
}

void PlacePicture(HWND panel, int question, HBITMAP bitmap, bool reveal)
{
    HWND control = GetDlgItem(panel, PICTURE_BASE + question);
    const SIZE size = bitmap ? BitmapSize(bitmap) : SIZE{PICTURE_SQUARE, PICTURE_SQUARE};
    DeleteObject(reinterpret_cast<HGDIOBJ>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    const CellGeometry cell = CellAt(*g_quiz, question);
    const POINT shift = ScrollShift(panel, question);
    const int squareX = cell.columnX + 30 - (reveal ? REVEAL_SQUARE_SHIFT : 0);
    // A reveal picture comes to the top, as it always has; a question
    // picture keeps the place it was built at among its siblings.
    SetWindowPos(control, HWND_TOP, squareX + (PICTURE_SQUARE - size.cx) / 2 + shift.x,
                 cell.rowY - PICTURE_SQUARE + (PICTURE_SQUARE - size.cy) / 2 + shift.y, size.cx,
                 size.cy, SWP_NOOWNERZORDER | SWP_NOACTIVATE | (reveal ? 0 : SWP_NOZORDER));
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void ShowRevealPicture(HWND panel, int question)
{
    // Layouts without pictures have nowhere to show one.
    if (!GetDlgItem(panel, PICTURE_BASE + question) || RevealWhenLoaded(question))
        return;
    HBITMAP reveal =
        LoadQuestionPicture(GetModuleHandleA(nullptr), REVEAL_PICTURE_RESOURCE_BASE + question,
                            MEDIA_RESOURCE_TYPE, PICTURE_SQUARE, PICTURE_SQUARE);
    if (reveal)
        PlacePicture(panel, question, reveal, true);
}
