#include "authoring/media/quiz_icon.h"

#include "authoring/media/little_endian.h"
#include "authoring/media/picture_conversion.h"
#include "authoring/media/stb_codecs.h"
#include "quiz/media_format.h"

#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr size_t HEADER_SIZE = 6;
constexpr size_t FILE_ENTRY_SIZE = 16;
constexpr size_t GROUP_ENTRY_SIZE = 14;
constexpr size_t DIB_HEADER_SIZE = 40;
constexpr uint16_t ICON_KIND = 1; // 2 is a cursor
constexpr int MAX_ICON_ID = 0xFFFF;

uint32_t Read16(const Bytes& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8;
}

uint32_t Read32(const Bytes& bytes, size_t at)
{
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

// The header of a file or group of count entries, or false.
bool ReadHeader(const Bytes& bytes, size_t entrySize, size_t& count)
{
    if (bytes.size() < HEADER_SIZE || Read16(bytes, 0) != 0 || Read16(bytes, 2) != ICON_KIND)
        return false;
    count = Read16(bytes, 4);
    return count > 0 && bytes.size() >= HEADER_SIZE + count * entrySize;
}

// The fields that files and groups share, at the start of an entry.
IconImage ReadEntry(const Bytes& bytes, size_t at)
{
    IconImage image;
    image.width = bytes[at];
    image.height = bytes[at + 1];
    image.colourCount = bytes[at + 2];
    image.reserved = bytes[at + 3];
    image.planes = static_cast<uint16_t>(Read16(bytes, at + 4));
    image.bitCount = static_cast<uint16_t>(Read16(bytes, at + 6));
    return image;
}

void PutEntry(Bytes& bytes, const IconImage& image)
{
    bytes.insert(bytes.end(), {image.width, image.height, image.colourCount, image.reserved});
    Put16(bytes, image.planes);
    Put16(bytes, image.bitCount);
    Put32(bytes, static_cast<uint32_t>(image.data.size()));
}

Bytes Header(size_t count)
{
    Bytes bytes;
    Put16(bytes, 0);
    Put16(bytes, ICON_KIND);
    Put16(bytes, static_cast<uint32_t>(count));
    return bytes;
}

int Side(uint8_t stored)
{
    return stored == 0 ? 256 : stored;
}

size_t MaskRowBytes(int side)
{
    return (static_cast<size_t>(side) + 31) / 32 * 4;
}

// A 32-bit icon image of square RGBA pixels (rows top down): the header, the
// colours bottom-up, the AND mask set where nothing shows.
Bytes Dib(const Bytes& rgba, int side)
{
    Bytes dib;
    Put32(dib, DIB_HEADER_SIZE);
    Put32(dib, side);
    Put32(dib, 2 * side); // the colours and the mask
    Put16(dib, 1);
    Put16(dib, 32);
    for (int field = 0; field < 6; ++field)
        Put32(dib, 0); // uncompressed; the rest unused
    for (int y = side - 1; y >= 0; --y) {
        const unsigned char* p = rgba.data() + static_cast<size_t>(y) * side * 4;
        for (int x = 0; x < side; ++x, p += 4)
            dib.insert(dib.end(), {p[2], p[1], p[0], p[3]});
    }
    for (int y = side - 1; y >= 0; --y) {
        Bytes row(MaskRowBytes(side), 0);
        for (int x = 0; x < side; ++x)
            if (rgba[(static_cast<size_t>(y) * side + x) * 4 + 3] == 0)
                row[x / 8] |= static_cast<unsigned char>(0x80 >> x % 8);
        dib.insert(dib.end(), row.begin(), row.end());
    }
    return dib;
}

Bytes Png(const Bytes& rgba, int side)
{
    Bytes png;
    stbi_write_png_to_func(AppendStbOutput, &png, side, side, 4, rgba.data(), side * 4);
    return png;
}

// Whether an image is one of the quiz icon's, of that side.
bool InQuizForm(const IconImage& image, int side)
{
    if (image.width != side % 256 || image.height != side % 256 || image.colourCount != 0 ||
        image.reserved != 0 || image.planes != 1 || image.bitCount != 32)
        return false;
    const Bytes& data = image.data;
    if (side == QUIZ_ICON_PNG_SIZE) {
        static const unsigned char SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                                  0,    0,   0,   13,  'I',  'H',  'D',  'R'};
        auto big32 = [&](size_t at) {
            return static_cast<uint32_t>(data[at]) << 24 | data[at + 1] << 16 | data[at + 2] << 8 |
                   data[at + 3];
        };
        return data.size() >= 24 && memcmp(data.data(), SIGNATURE, sizeof SIGNATURE) == 0 &&
               big32(16) == static_cast<uint32_t>(side) && big32(20) == static_cast<uint32_t>(side);
    }
    const size_t pixels = static_cast<size_t>(side) * side;
    return data.size() == DIB_HEADER_SIZE + pixels * 4 + MaskRowBytes(side) * side &&
           Read32(data, 0) == DIB_HEADER_SIZE && Read32(data, 4) == static_cast<uint32_t>(side) &&
           Read32(data, 8) == static_cast<uint32_t>(2 * side) && Read16(data, 12) == 1 &&
           Read16(data, 14) == 32 && Read32(data, 16) == 0;
}

// A file of the largest image of an .ico file alone, for the decoder, which
// reads the first.
bool LargestAlone(const Bytes& bytes, Bytes& alone)
{
    std::vector<IconImage> images;
    if (!ReadIconFile(bytes, images))
        return false;
    auto area = [](const IconImage& image) { return Side(image.width) * Side(image.height); };
    const auto largest =
        std::max_element(images.begin(), images.end(), [&](const IconImage& a, const IconImage& b) {
            return area(a) != area(b) ? area(a) < area(b) : a.bitCount < b.bitCount;
        });
    alone = WriteIconFile({*largest});
    return true;
}

} // namespace

bool IconImage::operator==(const IconImage& other) const
{
    return width == other.width && height == other.height && colourCount == other.colourCount &&
           reserved == other.reserved && planes == other.planes && bitCount == other.bitCount &&
           data == other.data;
}

bool ReadIconFile(const Bytes& bytes, std::vector<IconImage>& images)
{
    images.clear();
    size_t count = 0;
    if (!ReadHeader(bytes, FILE_ENTRY_SIZE, count))
        return false;
    // Every image inside the file and no two sharing a byte, checked before
    // any is copied: entries that all point at the whole file would
    // otherwise ask for the file's size times their number.
    std::vector<std::pair<size_t, size_t>> spans; // each image's offset and size
    for (size_t i = 0; i < count; ++i) {
        const size_t at = HEADER_SIZE + i * FILE_ENTRY_SIZE;
        const size_t size = Read32(bytes, at + 8);
        const size_t offset = Read32(bytes, at + 12);
        if (size == 0 || offset > bytes.size() || size > bytes.size() - offset)
            return false;
        spans.emplace_back(offset, size);
    }
    std::vector<std::pair<size_t, size_t>> sorted = spans;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 1; i < sorted.size(); ++i)
        if (sorted[i].first - sorted[i - 1].first < sorted[i - 1].second)
            return false;
    for (size_t i = 0; i < count; ++i) {
        IconImage image = ReadEntry(bytes, HEADER_SIZE + i * FILE_ENTRY_SIZE);
        const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(spans[i].first);
        image.data.assign(start, start + static_cast<std::ptrdiff_t>(spans[i].second));
        images.push_back(std::move(image));
    }
    return true;
}

Bytes WriteIconFile(const std::vector<IconImage>& images)
{
    Bytes bytes = Header(images.size());
    size_t offset = HEADER_SIZE + images.size() * FILE_ENTRY_SIZE;
    for (const IconImage& image : images) {
        PutEntry(bytes, image);
        Put32(bytes, static_cast<uint32_t>(offset));
        offset += image.data.size();
    }
    for (const IconImage& image : images)
        bytes.insert(bytes.end(), image.data.begin(), image.data.end());
    return bytes;
}

bool ReadIconGroup(const Bytes& bytes, std::vector<IconImage>& entries, std::vector<int>& ids)
{
    entries.clear();
    ids.clear();
    size_t count = 0;
    if (!ReadHeader(bytes, GROUP_ENTRY_SIZE, count))
        return false;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = HEADER_SIZE + i * GROUP_ENTRY_SIZE;
        entries.push_back(ReadEntry(bytes, at));
        ids.push_back(static_cast<int>(Read16(bytes, at + 12)));
    }
    return true;
}

Bytes WriteIconGroup(const std::vector<IconImage>& images, const std::vector<int>& ids)
{
    Bytes bytes = Header(images.size());
    for (size_t i = 0; i < images.size() && i < ids.size(); ++i) {
        PutEntry(bytes, images[i]);
        Put16(bytes, static_cast<uint32_t>(ids[i]));
    }
    return bytes;
}

bool IconFileOfGroup(const Bytes& group, const std::function<const Bytes*(int id)>& imageOf,
                     Bytes& file)
{
    file.clear();
    std::vector<IconImage> images;
    std::vector<int> ids;
    if (!ReadIconGroup(group, images, ids))
        return false;
    for (size_t i = 0; i < images.size(); ++i) {
        const Bytes* data = imageOf(ids[i]);
        if (!data || data->empty())
            return false;
        images[i].data = *data;
    }
    file = WriteIconFile(images);
    return true;
}

std::vector<int> IconImageIds(const std::vector<int>& previous, const std::vector<int>& taken,
                              size_t count)
{
    std::vector<int> ids;
    for (int id : previous)
        if (ids.size() < count && id > 0 && std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    int next = 1;
    for (const std::vector<int>* list : {&previous, &taken})
        for (int id : *list)
            next = std::max(next, id + 1);
    while (ids.size() < count) {
        if (next > MAX_ICON_ID)
            return {};
        ids.push_back(next++);
    }
    return ids;
}

bool IsQuizIcon(const Bytes& bytes)
{
    std::vector<IconImage> images;
    if (!ReadIconFile(bytes, images) || images.size() != std::size(QUIZ_ICON_SIZES))
        return false;
    for (size_t i = 0; i < images.size(); ++i)
        if (!InQuizForm(images[i], QUIZ_ICON_SIZES[i]))
            return false;
    // Laid out as WriteIconFile does, so that writing it again gives it.
    return WriteIconFile(images) == bytes;
}

Bytes FitIcon(const DecodedPicture& picture, int orientation)
{
    // A photo may be hundreds of megabytes: turned in a copy only when it must.
    const bool turns = orientation >= 2 && orientation <= 8;
    const DecodedPicture turned = turns ? UprightPicture(picture, orientation) : DecodedPicture();
    const DecodedPicture& upright = turns ? turned : picture;
    std::vector<IconImage> images;
    for (const int side : QUIZ_ICON_SIZES) {
        int width = 0, height = 0;
        FitWithin(upright.width, upright.height, side, width, height);
        Bytes fitted(static_cast<size_t>(width) * height * 4);
        // In linear light and weighted by alpha, as stb does by default: the
        // edges of a transparent picture do not darken.
        stbir_resize_uint8_srgb(upright.rgba.data(), upright.width, upright.height, 0,
                                fitted.data(), width, height, 0, 4, 3, 0);
        Bytes square(static_cast<size_t>(side) * side * 4, 0);
        const int left = (side - width) / 2, top = (side - height) / 2;
        for (int y = 0; y < height; ++y) {
            const unsigned char* in = fitted.data() + static_cast<size_t>(y) * width * 4;
            unsigned char* out = square.data() + (static_cast<size_t>(top + y) * side + left) * 4;
            for (int x = 0; x < width; ++x, in += 4, out += 4)
                if (in[3] != 0) // what shows nothing holds no colour
                    memcpy(out, in, 4);
        }
        IconImage image;
        image.width = image.height = static_cast<uint8_t>(side % 256);
        image.planes = 1;
        image.bitCount = 32;
        image.data = side == QUIZ_ICON_PNG_SIZE ? Png(square, side) : Dib(square, side);
        images.push_back(std::move(image));
    }
    return WriteIconFile(images);
}

bool MakeQuizIcon(const Bytes& bytes, const PictureDecoder& decode, QuizIcon& icon,
                  std::string& reason)
{
    icon = QuizIcon();
    if (IsQuizIcon(bytes)) {
        icon.file = bytes;
        return true;
    }
    if (!decode) {
        reason = u8"ce programme ne sait pas convertir les images en icône";
        return false;
    }
    Bytes alone;
    const bool iconFile = DetectMediaFormat(bytes.data(), bytes.size()) == MediaFormat::Ico;
    if (iconFile && !LargestAlone(bytes, alone)) {
        reason = u8"icône ICO abîmée (ses images sortent du fichier ou se chevauchent) : "
                 u8"enregistrez-la de nouveau depuis un éditeur d'icônes, ou donnez à la place "
                 u8"une image PNG ou JPEG";
        return false;
    }
    DecodedPicture picture;
    int orientation = 1;
    if (!DecodeWithOrientation(iconFile ? alone : bytes, decode, picture, orientation, reason))
        return false;
    icon.file = FitIcon(picture, orientation);
    icon.converted = true;
    const bool turned = TurnsAQuarter(orientation);
    icon.width = turned ? picture.height : picture.width;
    icon.height = turned ? picture.width : picture.height;
    return true;
}
