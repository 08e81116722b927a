#include "authoring/media/placeholder_media.h"

#include "authoring/media/little_endian.h"
#include "authoring/media/stored_picture.h"

#include <cstring>

namespace {

using Bytes = std::vector<unsigned char>;

void PutTag(Bytes& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(tag[i]));
}

void Patch32(Bytes& out, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

// Rows of 24-bit pixels, bottom-up and padded to four bytes as BMP and AVI
// store them; pixel(x, y) gives 0xRRGGBB with y from the top.
template <typename Pixel> Bytes DibRows(int width, int height, Pixel pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    Bytes rows(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = pixel(x, height - 1 - y);
            unsigned char* p = &rows[static_cast<size_t>(y) * stride + x * 3];
            p[0] = static_cast<unsigned char>(rgb);
            p[1] = static_cast<unsigned char>(rgb >> 8);
            p[2] = static_cast<unsigned char>(rgb >> 16);
        }
    return rows;
}

void PutBitmapInfoHeader(Bytes& out, int width, int height, uint32_t imageSize)
{
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);  // planes
    Put16(out, 24); // bits per pixel
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

} // namespace

namespace {

// Whether pixel (x, y) of a size × size square lies on its disc.
bool OnDisc(int size, int x, int y)
{
    const int radius = size * 2 / 5;
    const int dx = 2 * x + 1 - size;
    const int dy = 2 * y + 1 - size;
    return dx * dx + dy * dy <= 4 * radius * radius;
}

} // namespace

Bytes DiscBitmap(int size, uint32_t colour)
{
    const Bytes rows =
        DibRows(size, size, [&](int x, int y) { return OnDisc(size, x, y) ? colour : 0xFFFFFFu; });
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(14 + 40 + rows.size()));
    Put32(out, 0);
    Put32(out, 14 + 40);
    PutBitmapInfoHeader(out, size, size, static_cast<uint32_t>(rows.size()));
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

Bytes DiscPicture(int size, uint32_t colour)
{
    DecodedPicture picture = {size, size, {}};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const uint32_t rgb = OnDisc(size, x, y) ? colour : 0xFFFFFFu;
            picture.rgba.insert(picture.rgba.end(), {static_cast<unsigned char>(rgb >> 16),
                                                     static_cast<unsigned char>(rgb >> 8),
                                                     static_cast<unsigned char>(rgb), 0xFF});
        }
    return FitPicture(picture, 1, 0);
}

Bytes SilentMp3(int frames)
{
    // Header FF FB 18 C0: MPEG-1 layer III, no CRC, 32 kbit/s, 32 kHz, mono:
    // 144 bytes a frame. Zero side information and main data decode as
    // silence.
    static const unsigned char HEADER[4] = {0xFF, 0xFB, 0x18, 0xC0};
    Bytes out;
    for (int i = 0; i < frames; ++i) {
        out.insert(out.end(), HEADER, HEADER + 4);
        out.insert(out.end(), 140, 0);
    }
    return out;
}

Bytes ColourAvi(int width, int height, int frames, uint32_t colour)
{
    const Bytes frame = DibRows(width, height, [&](int, int) { return colour; });
    const auto frameSize = static_cast<uint32_t>(frame.size());
    const uint32_t fps = 5;
    Bytes out;
    PutTag(out, "RIFF");
    Put32(out, 0); // patched at the end
    PutTag(out, "AVI ");

    PutTag(out, "LIST");
    const size_t hdrlSize = out.size();
    Put32(out, 0);
    PutTag(out, "hdrl");
    PutTag(out, "avih");
    Put32(out, 56);
    Put32(out, 1000000 / fps);   // microseconds per frame
    Put32(out, frameSize * fps); // max bytes per second
    Put32(out, 0);               // padding granularity
    Put32(out, 0x10);            // AVIF_HASINDEX
    Put32(out, static_cast<uint32_t>(frames));
    Put32(out, 0);         // initial frames
    Put32(out, 1);         // streams
    Put32(out, frameSize); // suggested buffer size
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);

    PutTag(out, "LIST");
    const size_t strlSize = out.size();
    Put32(out, 0);
    PutTag(out, "strl");
    PutTag(out, "strh");
    Put32(out, 56);
    PutTag(out, "vids");
    PutTag(out, "DIB ");
    Put32(out, 0);   // flags
    Put32(out, 0);   // priority, language
    Put32(out, 0);   // initial frames
    Put32(out, 1);   // scale
    Put32(out, fps); // rate
    Put32(out, 0);   // start
    Put32(out, static_cast<uint32_t>(frames));
    Put32(out, frameSize);
    Put32(out, 0xFFFFFFFF); // quality: default
    Put32(out, 0);          // sample size
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(width));
    Put16(out, static_cast<uint32_t>(height));
    PutTag(out, "strf");
    Put32(out, 40);
    PutBitmapInfoHeader(out, width, height, frameSize);
    Patch32(out, strlSize, static_cast<uint32_t>(out.size() - strlSize - 4));
    Patch32(out, hdrlSize, static_cast<uint32_t>(out.size() - hdrlSize - 4));

    PutTag(out, "LIST");
    const size_t moviSize = out.size();
    Put32(out, 0);
    const size_t moviStart = out.size();
    PutTag(out, "movi");
    std::vector<uint32_t> offsets;
    for (int i = 0; i < frames; ++i) {
        offsets.push_back(static_cast<uint32_t>(out.size() - moviStart));
        PutTag(out, "00db");
        Put32(out, frameSize);
        out.insert(out.end(), frame.begin(), frame.end()); // sizes are even: no pad byte
    }
    Patch32(out, moviSize, static_cast<uint32_t>(out.size() - moviSize - 4));

    PutTag(out, "idx1");
    Put32(out, static_cast<uint32_t>(16 * frames));
    for (uint32_t offset : offsets) {
        PutTag(out, "00db");
        Put32(out, 0x10); // AVIIF_KEYFRAME
        Put32(out, offset);
        Put32(out, frameSize);
    }
    Patch32(out, 4, static_cast<uint32_t>(out.size() - 8));
    return out;
}
