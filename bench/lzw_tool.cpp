// Codes standard input to standard output, so that the codec can be timed as
// a whole process beside ncompress: lzw_tool -c (encode) or -d (decode).
#include "quiz/lzw.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2 || (strcmp(argv[1], "-c") != 0 && strcmp(argv[1], "-d") != 0)) {
        fprintf(stderr, "usage: lzw_tool -c|-d < input > output\n");
        return 2;
    }
    std::vector<unsigned char> input;
    unsigned char chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, stdin)) > 0)
        input.insert(input.end(), chunk, chunk + got);

    unsigned char* out = nullptr;
    uint32_t length = 0;
    const bool encode = argv[1][1] == 'c';
    int32_t result = (encode ? LzwEncode : LzwDecode)(
        input.data(), static_cast<uint32_t>(input.size()), &out, &length);
    if (out)
        fwrite(out, 1, length, stdout);
    free(out);
    if (result != LZW_OK) {
        fprintf(stderr, "lzw_tool: result %d\n", static_cast<int>(result));
        return 1;
    }
    return 0;
}
