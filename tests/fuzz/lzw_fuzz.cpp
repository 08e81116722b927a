// Any bytes, decoded as a stream and encoded as plain data: nothing is read
// or written outside a buffer, and what the encoder writes decodes back.
#include "quiz/lzw.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (size > LZW_MAX_INPUT)
        return 0;
    const auto length = static_cast<uint32_t>(size);
    unsigned char* decoded = nullptr;
    uint32_t decodedLength = 0;
    LzwDecode(data, length, &decoded, &decodedLength);
    free(decoded);

    unsigned char* coded = nullptr;
    uint32_t codedLength = 0;
    if (LzwEncode(data, length, &coded, &codedLength) == LZW_OK) {
        decoded = nullptr;
        if (LzwDecode(coded, codedLength, &decoded, &decodedLength) != LZW_OK ||
            decodedLength != length || memcmp(decoded, data, size) != 0)
            abort();
        free(decoded);
    }
    free(coded);
    return 0;
}
