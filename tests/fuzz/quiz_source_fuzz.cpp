// Any bytes as a quiz source: the reader and the checks stay within bounds,
// and a source they accept writes back into one that builds the same
// resources, and extracts again.
#include "authoring/media/placeholder_media.h"
#include "authoring/packing/extraction.h"
#include "authoring/packing/quiz_resources.h"
#include "authoring/source/source_reader.h"
#include "authoring/source/source_writer.h"

#include <string>

namespace {

// Every path names a medium of the kind its extension says.
bool AnyMedium(const std::string& path, std::vector<unsigned char>& bytes, std::string&)
{
    const std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : "";
    if (extension == ".mp3")
        bytes = SilentMp3(1);
    else if (extension == ".avi")
        bytes = ColourAvi(2, 2, 1, 0);
    else
        bytes = DiscBitmap(2, 0);
    return path.find('?') == std::string::npos; // and some are missing
}

// Every picture decodes, to a few grey pixels.
bool AnyPicture(const std::vector<unsigned char>&, DecodedPicture& picture, std::string&)
{
    picture = {3, 2, std::vector<unsigned char>(3 * 2 * 4, 0x80)};
    return true;
}

// Reads and builds text, formatting every problem; clean when there was none.
std::vector<QuizResource> Build(const std::string& text, QuizSource& source, bool& clean)
{
    std::vector<Problem> problems;
    std::vector<QuizResource> resources;
    const bool read = ReadQuizSource(text, source, problems);
    for (const Problem& problem : problems)
        FormatProblem("fuzz.toml", problem);
    clean = read && BuildQuizResources(source, AnyMedium, AnyPicture, resources, problems) &&
            CountErrors(problems) == 0;
    return resources;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    QuizSource source, again;
    bool clean = false;
    const std::vector<QuizResource> resources =
        Build(std::string(reinterpret_cast<const char*>(data), size), source, clean);
    if (!clean)
        return 0;
    if (Build(WriteQuizSource(source, "fuzz.toml"), again, clean) != resources || !clean)
        __builtin_trap();

    QuizSource extracted;
    std::vector<MediaFile> media;
    std::string error;
    if (!ExtractQuizSource(resources, extracted, media, error))
        __builtin_trap();
    WriteQuizSource(extracted, "fuzz.toml");
    return 0;
}
