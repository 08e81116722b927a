#include "authoring/media/picture_conversion.h"

#include "quiz/media_format.h"
#include "quiz/picture_size.h"

#include <algorithm>
#include <cmath>
#include <cstring>

bool DecodeWithOrientation(const std::vector<unsigned char>& bytes, const PictureDecoder& decode,
                           DecodedPicture& picture, int& orientation, std::string& reason)
{
    picture = DecodedPicture();
    if (!decode(bytes, picture, reason))
        return false;
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgba.size() != static_cast<size_t>(picture.width) * picture.height * 4) {
        reason = u8"le décodage de l'image a échoué : enregistrez-la en JPEG ou en PNG";
        return false;
    }
    JpegHeader header = {};
    orientation = ReadJpegHeader(bytes.data(), bytes.size(), &header) ? header.orientation : 1;
    return true;
}

std::string FramesNote(const std::vector<unsigned char>& bytes, int frames)
{
    if (frames < 2)
        return "";
    const MediaFormat format = DetectMediaFormat(bytes.data(), bytes.size());
    const std::string count = std::to_string(frames);
    const std::string what =
        format == MediaFormat::Gif ? u8"GIF animé de " + count + " images"
        : format == MediaFormat::Tiff
            ? "TIFF de " + count + " pages"
            : MediaFormatName(format) + std::string(" de ") + count + " images";
    return what + u8" : le lecteur n'en montre que la première ; pour en montrer une autre, "
                  u8"enregistrez-la seule en PNG ou en JPEG (avec GIMP, par exemple)";
}

bool TurnsAQuarter(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

void SourcePixel(int orientation, int width, int height, int x, int y, int& sx, int& sy)
{
    switch (orientation) {
    case 2:
        sx = width - 1 - x, sy = y;
        break; // mirrored
    case 3:
        sx = width - 1 - x, sy = height - 1 - y;
        break; // upside down
    case 4:
        sx = x, sy = height - 1 - y;
        break; // mirrored, upside down
    case 5:
        sx = y, sy = x;
        break; // transposed
    case 6:
        sx = y, sy = height - 1 - x;
        break; // turned a quarter left
    case 7:
        sx = width - 1 - y, sy = height - 1 - x;
        break; // transverse
    case 8:
        sx = width - 1 - y, sy = x;
        break; // turned a quarter right
    default:
        sx = x, sy = y;
        break;
    }
}

DecodedPicture UprightPicture(const DecodedPicture& picture, int orientation)
{
    if (orientation < 2 || orientation > 8)
        return picture;
    DecodedPicture upright;
    const bool turned = TurnsAQuarter(orientation);
    upright.width = turned ? picture.height : picture.width;
    upright.height = turned ? picture.width : picture.height;
    upright.rgba.resize(picture.rgba.size());
    unsigned char* out = upright.rgba.data();
    for (int y = 0; y < upright.height; ++y)
        for (int x = 0; x < upright.width; ++x, out += 4) {
            int sx = 0, sy = 0;
            SourcePixel(orientation, picture.width, picture.height, x, y, sx, sy);
            memcpy(out, picture.rgba.data() + (static_cast<size_t>(sy) * picture.width + sx) * 4,
                   4);
        }
    return upright;
}

void FitWithin(int width, int height, int side, int& fittedWidth, int& fittedHeight)
{
    const double scale =
        std::min(static_cast<double>(side) / width, static_cast<double>(side) / height);
    fittedWidth = std::clamp(static_cast<int>(std::lround(width * scale)), 1, side);
    fittedHeight = std::clamp(static_cast<int>(std::lround(height * scale)), 1, side);
}
