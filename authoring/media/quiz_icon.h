// A quiz program's icon, in the form Windows shows best: an .ico file of four
// square images, 16, 32 and 48 pixels as 32-bit images with their AND masks
// (which Windows XP reads) and 256 pixels as a PNG (Windows Vista and later,
// in Explorer's large icons). quizzpack makes it from the picture that the
// source's `icone` names and carries it among the quiz's resources as one
// resource, ICON_RESOURCE_TYPE APPLICATION_ICON; the Windows half writes it
// as the program's application icon (the icon group APPLICATION_ICON and
// its RT_ICON images) and reads it back as an .ico file.
//
// An .ico file and an icon group (RT_GROUP_ICON) share their layout, little-
// endian: a header (reserved 0, type 1, image count: 16 bits each), then an
// entry per image: width, height (0 standing for 256), colour count,
// reserved (a byte each), planes, bit count (16 bits each), the image's size
// (32 bits), and last, in a file, the image's offset in it (32 bits), in a
// group, the identifier of the RT_ICON resource that holds it (16 bits). An
// image is a DIB (BITMAPINFOHEADER of double height, the colours bottom-up,
// then the AND mask) or a whole PNG file.
#pragma once

#include "authoring/media/picture_decoder.h"
#include "resources/resource_ids.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The icon among a quiz's resources, with the id APPLICATION_ICON.
constexpr const char* ICON_RESOURCE_TYPE = "ICON";
constexpr int QUIZ_ICON_SIZES[] = {16, 32, 48, 256};
constexpr int QUIZ_ICON_PNG_SIZE = 256; // the one size stored as PNG

// One image of an icon, with its entry's fields as they are stored.
struct IconImage {
    uint8_t width = 0; // 0 for 256
    uint8_t height = 0;
    uint8_t colourCount = 0;
    uint8_t reserved = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    std::vector<unsigned char> data; // empty in what ReadIconGroup gives
    bool operator==(const IconImage& other) const;
};

// Reads an .ico file; false when it is none or an image lies outside it.
bool ReadIconFile(const std::vector<unsigned char>& bytes, std::vector<IconImage>& images);

// An .ico file of the images: their entries, then the images in that order.
std::vector<unsigned char> WriteIconFile(const std::vector<IconImage>& images);

// Reads an icon group: its entries, and the RT_ICON identifier of each.
bool ReadIconGroup(const std::vector<unsigned char>& bytes, std::vector<IconImage>& entries,
                   std::vector<int>& ids);

// The icon group of images held by the RT_ICON resources ids, one each.
std::vector<unsigned char> WriteIconGroup(const std::vector<IconImage>& images,
                                          const std::vector<int>& ids);

// The .ico file of an icon group whose images imageOf gives by identifier
// (nullptr for one missing); false when the group is unreadable or an image
// is missing.
bool IconFileOfGroup(const std::vector<unsigned char>& group,
                     const std::function<const std::vector<unsigned char>*(int id)>& imageOf,
                     std::vector<unsigned char>& file);

// The RT_ICON identifiers of count images that replace a group's: the
// group's own (previous) first, then new ones above every identifier in use
// (taken). Empty when they would pass 65535.
std::vector<int> IconImageIds(const std::vector<int>& previous, const std::vector<int>& taken,
                              size_t count);

// Whether bytes are an .ico file in the quiz icon's form, exactly as FitIcon
// lays one out.
bool IsQuizIcon(const std::vector<unsigned char>& bytes);

// The quiz icon of a picture stored with an EXIF orientation: turned
// upright, fitted into each square (reduced or enlarged with stb's filters,
// in linear light, its sides in proportion), centred, the margins
// transparent.
std::vector<unsigned char> FitIcon(const DecodedPicture& picture, int orientation);

struct QuizIcon {
    std::vector<unsigned char> file; // the .ico file
    bool converted = false;          // made from a picture, not kept as it came
    int width = 0;                   // the picture's size, upright, when converted
    int height = 0;
};

// The quiz icon of a picture of any kind that decode reads, or of an .ico
// file (from its largest image). An .ico already in the quiz icon's form is
// kept byte for byte, so that an extracted quiz builds the same again. False
// with a French reason when the picture cannot be read.
bool MakeQuizIcon(const std::vector<unsigned char>& bytes, const PictureDecoder& decode,
                  QuizIcon& icon, std::string& reason);
