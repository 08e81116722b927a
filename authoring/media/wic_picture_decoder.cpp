#include "authoring/media/wic_picture_decoder.h"

#include "quiz/media_format.h"
#include "quiz/picture_size.h"
#include "win32/wic_decoding.h"

#include <objbase.h>

#include <algorithm>
#include <utility>

namespace {

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

std::string Reason(WicResult result, const WicPixels& pixels,
                   const std::vector<unsigned char>& bytes)
{
    switch (result) {
    case WicResult::NoImaging:
        return u8"le composant d'images de Windows manque : les images ne peuvent pas être "
               u8"converties ; donnez des JPEG de 260 × 260 pixels au plus";
    case WicResult::TooLarge:
        return u8"image de " + Size(pixels.width, pixels.height) +
               u8", trop grande pour être lue : réduisez-la sous " +
               std::to_string(MAX_DECODED_PIXELS / 1000000) + u8" millions de pixels";
    case WicResult::NoMemory:
        return u8"mémoire insuffisante pour lire cette image de " +
               Size(pixels.width, pixels.height) + u8" : réduisez-la";
    default:
        return Unreadable(bytes);
    }
}

} // namespace

bool DecodePictureWithWic(const std::vector<unsigned char>& bytes, DecodedPicture& picture,
                          std::string& reason)
{
    picture = DecodedPicture();
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    WicPixels pixels;
    const WicResult result = DecodeWithWic(bytes.data(), bytes.size(), WicLayout::Bgra, pixels);
    if (SUCCEEDED(com))
        CoUninitialize();
    if (result != WicResult::Decoded) {
        reason = Reason(result, pixels, bytes);
        return false;
    }
    // Blue first to red first, in place: the rows are 4 bytes a pixel, unpadded.
    picture.rgba = std::move(pixels.rows);
    for (size_t i = 0; i < picture.rgba.size(); i += 4)
        std::swap(picture.rgba[i], picture.rgba[i + 2]);
    picture.width = static_cast<int>(pixels.width);
    picture.height = static_cast<int>(pixels.height);
    picture.frames = std::max(1, static_cast<int>(pixels.frames));
    return true;
}
