#include "win32/wic_decoding.h"

#include "quiz/picture_size.h"

#include <wincodec.h>

#include <new>

namespace {

// A COM interface released when it goes.
template <typename T> struct Held {
    T* p = nullptr;
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held()
    {
        if (p)
            p->Release();
    }
    T* operator->() const { return p; }
};

struct OpenFrame {
    Held<IWICImagingFactory> factory;
    Held<IWICStream> stream;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
};

// Opens the first frame and reads its size, refusing it past the limit.
WicResult Open(const unsigned char* bytes, std::size_t size, OpenFrame& open, UINT& width,
               UINT& height)
{
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&open.factory.p))))
        return WicResult::NoImaging;
    // The stream reads the bytes in place: they outlive it.
    if (FAILED(open.factory->CreateStream(&open.stream.p)) ||
        FAILED(open.stream->InitializeFromMemory(const_cast<BYTE*>(bytes),
                                                 static_cast<DWORD>(size))) ||
        FAILED(open.factory->CreateDecoderFromStream(
            open.stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &open.decoder.p)) ||
        FAILED(open.decoder->GetFrame(0, &open.frame.p)) ||
        FAILED(open.frame->GetSize(&width, &height)) || width == 0 || height == 0)
        return WicResult::Unreadable;
    if (static_cast<long long>(width) * height > MAX_DECODED_PIXELS)
        return WicResult::TooLarge;
    return WicResult::Decoded;
}

} // namespace

WicResult DecodeWithWic(const unsigned char* bytes, std::size_t size, WicLayout layout,
                        WicPixels& pixels)
{
    pixels = WicPixels();
    OpenFrame open;
    const WicResult opened = Open(bytes, size, open, pixels.width, pixels.height);
    if (opened != WicResult::Decoded)
        return opened;
    if (FAILED(open.decoder->GetFrameCount(&pixels.frames)))
        pixels.frames = 1;
    // Frames of another format go through a converter, which keeps a copy of
    // the whole picture: memory that photos decoding on every core would add
    // up, hence colour JPEGs taken as they come (Wine converts every kind to
    // 32 bits, not to 24).
    WICPixelFormatGUID format = {};
    const bool asDecoded = SUCCEEDED(open.frame->GetPixelFormat(&format)) &&
                           format == (layout == WicLayout::Bgra ? GUID_WICPixelFormat32bppBGRA
                                                                : GUID_WICPixelFormat24bppBGR);
    pixels.bitsPerPixel = layout == WicLayout::DecodedBgr && asDecoded ? 24 : 32;
    Held<IWICFormatConverter> converter;
    IWICBitmapSource* source = open.frame.p;
    if (!asDecoded) {
        if (FAILED(open.factory->CreateFormatConverter(&converter.p)) ||
            FAILED(converter->Initialize(open.frame.p,
                                         layout == WicLayout::Bgra ? GUID_WICPixelFormat32bppBGRA
                                                                   : GUID_WICPixelFormat32bppBGR,
                                         WICBitmapDitherTypeNone, nullptr, 0,
                                         WICBitmapPaletteTypeCustom)))
            return WicResult::Unreadable;
        source = converter.p;
    }
    pixels.stride = (pixels.bitsPerPixel / 8 * pixels.width + 3) / 4 * 4;
    const unsigned long long total = static_cast<unsigned long long>(pixels.stride) * pixels.height;
    try {
        pixels.rows.resize(static_cast<std::size_t>(total));
    } catch (const std::bad_alloc&) {
        return WicResult::NoMemory;
    }
    if (FAILED(source->CopyPixels(nullptr, pixels.stride, static_cast<UINT>(total),
                                  pixels.rows.data()))) {
        pixels.rows.clear();
        return WicResult::Unreadable;
    }
    return WicResult::Decoded;
}

WicResult ReadWicSize(const unsigned char* bytes, std::size_t size, UINT& width, UINT& height)
{
    OpenFrame open;
    return Open(bytes, size, open, width, height);
}
