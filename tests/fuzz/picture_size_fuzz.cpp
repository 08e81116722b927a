// Any bytes as a quiz picture's header: nothing is read outside them, and a
// size read is one a picture control can take.
#include "quiz/picture_size.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    JpegHeader header = {};
    if (ReadJpegHeader(data, size, &header) &&
        (header.size.width <= 0 || header.size.height <= 0 || header.size.width > 65535 ||
         header.size.height > 65535 || header.orientation < 1 || header.orientation > 8))
        abort();
    return 0;
}
