// Codes standard input to standard output, so that the codec can be measured
// as a whole process beside ncompress: lzw_tool -c (encode) or -d (decode).
#include "quiz/lzw.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 2 || (strcmp(argv[1], "-c") != 0 && strcmp(argv[1], "-d") != 0)) {
        fprintf(stderr, "usage: lzw_tool -c|-d < input > output\n");
        return 2;
    }
    // Read in place, with no copy to count beside the codec's work: the codec
    // takes LZW_MAX_INPUT bytes at most, and refuses any input of one more.
    static unsigned char input[LZW_MAX_INPUT + 1];
    const size_t size = fread(input, 1, sizeof input, stdin);

    unsigned char* out = nullptr;
    uint32_t length = 0;
    const bool encode = argv[1][1] == 'c';
    int32_t result =
        (encode ? LzwEncode : LzwDecode)(input, static_cast<uint32_t>(size), &out, &length);
    if (out)
        fwrite(out, 1, length, stdout);
    free(out);
    if (result != LZW_OK) {
        fprintf(stderr, "lzw_tool: result %d\n", static_cast<int>(result));
        return 1;
    }
    return 0;
}
