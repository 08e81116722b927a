// Any bytes as the source a quiz program keeps ("PATCH" 107): the decoder
// stays within them and gives only names that stay in the extraction folder;
// extraction takes them only when they rebuild the quiz beside them.
#include "authoring/media/placeholder_media.h"
#include "authoring/packing/extraction.h"
#include "authoring/packing/kept_source.h"
#include "authoring/packing/stored_source.h"
#include "authoring/source/source_reader.h"

#include <string>

namespace {

const char* const SOURCE = "# Un quiz\ntitre = \"T\"\ndisposition = \"image\"\n"
                           "[[question]]\nreponse = \"a\"\nimage = \"images/a.jpg\"\n"
                           "[[question]]\nreponse = \"b\"\nimage = \"b.jpg\"\n";

// A quiz that keeps its source; the fuzzed bytes replace what it keeps.
std::vector<QuizResource> Quiz()
{
    auto read = [](const std::string&, std::vector<unsigned char>& bytes, std::string&) {
        bytes = DiscPicture(2, 0);
        return true;
    };
    QuizSource source;
    std::vector<Problem> problems;
    std::vector<QuizResource> resources;
    ReadQuizSource(SOURCE, source, problems);
    BuildQuizResources(source, read, nullptr, resources, problems);
    AddKeptSource(SOURCE, source, resources, problems);
    return resources;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    StoredSource stored;
    if (DecodeStoredSource(data, size, stored)) {
        if (stored.text.size() > MAX_STORED_TEXT)
            __builtin_trap();
        for (const StoredMedium& medium : stored.media)
            if (!IsSafeMediaName(medium.name))
                __builtin_trap();
    }
    static const std::vector<QuizResource> QUIZ = Quiz();
    std::vector<QuizResource> resources = QUIZ;
    resources.back().data.assign(data, data + size);
    std::string text;
    std::vector<MediaFile> media;
    if (ExtractWrittenSource(resources, text, media))
        for (const MediaFile& file : media)
            if (!IsSafeMediaName(file.name))
                __builtin_trap();
    return 0;
}
