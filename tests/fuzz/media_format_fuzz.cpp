// Any bytes as a medium: telling its format (an MP4's boxes walked down to
// its tracks, a Matroska header read to its kind, an ID3 tag skipped) reads
// nothing outside them, and a format found is one of the table's.
#include "quiz/media_format.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const MediaFormat format = DetectMediaFormat(data, size);
    if (MediaFormatRow(format).format != format)
        abort();
    return 0;
}
