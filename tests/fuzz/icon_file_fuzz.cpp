// Any bytes as an icon file, as an icon group and as a picture to make a
// quiz icon of: the readers stay within bounds, what they accept writes back
// into what reads the same, the decoder is handed one whole image, and only
// an icon in the quiz icon's form is kept.
#include "authoring/media/quiz_icon.h"
#include "quiz/media_format.h"

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Checks that an icon file comes as one image alone, and decodes nothing:
// fitting pictures is the unit tests' (and slow under the sanitizers).
bool CheckedNothing(const Bytes& bytes, DecodedPicture&, std::string&)
{
    std::vector<IconImage> images;
    if (DetectMediaFormat(bytes.data(), bytes.size()) == MediaFormat::Ico &&
        (!ReadIconFile(bytes, images) || images.size() != 1))
        __builtin_trap();
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const Bytes bytes(data, data + size);
    std::vector<IconImage> images, again;
    if (ReadIconFile(bytes, images) &&
        (!ReadIconFile(WriteIconFile(images), again) || again != images))
        __builtin_trap();

    std::vector<IconImage> entries;
    std::vector<int> ids;
    Bytes file;
    if (ReadIconGroup(bytes, entries, ids) &&
        IconFileOfGroup(
            bytes, [&](int id) { return id % 2 ? &bytes : nullptr; }, file) &&
        !ReadIconFile(file, again))
        __builtin_trap();

    QuizIcon icon;
    std::string reason;
    if (MakeQuizIcon(bytes, CheckedNothing, icon, reason) && !IsQuizIcon(icon.file))
        __builtin_trap();
    return 0;
}
