#include "quiz/picture_signature.h"

#include <cstring>

namespace {

struct Signature {
    const char* bytes;
    std::size_t size;
};

// JPEG, PNG, GIF and BMP: what a quiz's pictures are, so what lands by
// mistake among its sounds and films.
constexpr Signature PICTURE_SIGNATURES[] = {
    {"\xFF\xD8\xFF", 3},
    {"\x89PNG\r\n\x1A\n", 8},
    {"GIF8", 4},
    {"BM", 2},
};

} // namespace

bool StartsLikePicture(const void* bytes, std::size_t size)
{
    for (const Signature& signature : PICTURE_SIGNATURES)
        if (size >= signature.size && std::memcmp(bytes, signature.bytes, signature.size) == 0)
            return true;
    return false;
}
