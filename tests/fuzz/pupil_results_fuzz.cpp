// Any bytes as a pupil's results, a file or a pasted block: the reader stays
// inside them, and what it reads, written again with the same key, reads
// back the same.
#include "quiz/pupil_results.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const std::vector<unsigned char> key = {7, 7, 7};
    PupilResults read;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (ReadResults(text, key, read) == ResultsRead::Unreadable)
        return 0;
    if (read.answers.size() > MAX_RESULT_BOXES || read.name.size() > MAX_PUPIL_NAME)
        __builtin_trap();
    PupilResults again;
    if (ReadResults(WriteResults(read, key), key, again) != ResultsRead::Read ||
        again.answers != read.answers || again.name != read.name || again.quiz != read.quiz)
        __builtin_trap();
    return 0;
}
