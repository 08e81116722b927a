// Any bytes as a quiz picture's header: nothing is read outside them, and a
// size read is one a picture control can take.
#include "quiz/picture_size.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    PictureSize picture = {};
    if (ReadJpegSize(data, size, &picture) && (picture.width <= 0 || picture.height <= 0 ||
                                               picture.width > 65535 || picture.height > 65535))
        abort();
    return 0;
}
