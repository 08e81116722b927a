#include "authoring/media/wic_picture_decoder.h"

#include "quiz/media_format.h"

#include <wincodec.h>
#include <windows.h>

#include <new>
#include <utility>

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

// Why the system could not open the bytes, and what the maker can do.
std::string Unreadable(const std::vector<unsigned char>& bytes)
{
    const MediaFormat format = DetectMediaFormat(bytes.data(), bytes.size());
    if (format == MediaFormat::Heic)
        return u8"photo HEIC (iPhone) que ce Windows ne sait pas lire : enregistrez-la en JPEG "
               u8"(sur l'iPhone, Réglages > Appareil photo > Formats > « Le plus compatible » "
               u8"fait des JPEG)";
    if (format == MediaFormat::Webp)
        return u8"image WebP que ce Windows ne sait pas lire : enregistrez-la en PNG ou en JPEG, "
               u8"avec Paint, GIMP ou IrfanView par exemple";
    return std::string(u8"image ") + MediaFormatName(format) +
           u8" illisible, peut-être abîmée : ouvrez-la et enregistrez-la de nouveau en PNG ou en "
           u8"JPEG";
}

std::string Size(UINT width, UINT height)
{
    return std::to_string(width) + u8" × " + std::to_string(height) + " pixels";
}

bool Decode(const std::vector<unsigned char>& bytes, DecodedPicture& picture, std::string& reason)
{
    Held<IWICImagingFactory> factory;
    Held<IWICStream> stream;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICBitmapSource> converted;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory.p)))) {
        reason = u8"le composant d'images de Windows manque : les images ne peuvent pas être "
                 u8"converties ; donnez des JPEG de 260 × 260 pixels au plus";
        return false;
    }
    // The stream reads the bytes in place: they outlive it.
    auto* data = const_cast<BYTE*>(bytes.data());
    if (FAILED(factory->CreateStream(&stream.p)) ||
        FAILED(stream->InitializeFromMemory(data, static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                &decoder.p)) ||
        FAILED(decoder->GetFrame(0, &frame.p))) {
        reason = Unreadable(bytes);
        return false;
    }
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) {
        reason = Unreadable(bytes);
        return false;
    }
    if (static_cast<long long>(width) * height > MAX_DECODED_PIXELS) {
        reason = u8"image de " + Size(width, height) +
                 u8", trop grande pour être lue : réduisez-la sous 64 millions de pixels";
        return false;
    }
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, &converted.p))) {
        reason = Unreadable(bytes);
        return false;
    }
    const UINT stride = width * 4;
    try {
        picture.rgba.resize(static_cast<size_t>(stride) * height);
    } catch (const std::bad_alloc&) {
        reason = u8"mémoire insuffisante pour lire cette image de " + Size(width, height) +
                 u8" : réduisez-la";
        return false;
    }
    if (FAILED(converted->CopyPixels(nullptr, stride, static_cast<UINT>(picture.rgba.size()),
                                     picture.rgba.data()))) {
        reason = Unreadable(bytes);
        return false;
    }
    for (size_t i = 0; i < picture.rgba.size(); i += 4)
        std::swap(picture.rgba[i], picture.rgba[i + 2]);
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    return true;
}

} // namespace

bool DecodePictureWithWic(const std::vector<unsigned char>& bytes, DecodedPicture& picture,
                          std::string& reason)
{
    picture = DecodedPicture();
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const bool decoded = Decode(bytes, picture, reason);
    if (!decoded)
        picture = DecodedPicture();
    if (SUCCEEDED(com))
        CoUninitialize();
    return decoded;
}
