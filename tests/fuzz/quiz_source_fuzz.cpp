// Any bytes as a quiz source: the reader and the checks stay within bounds,
// and a source they accept writes back into one that builds the same
// resources, and extracts again.
#include "authoring/extraction.h"
#include "authoring/placeholder_media.h"
#include "authoring/quiz_resources.h"
#include "authoring/source_reader.h"
#include "authoring/source_writer.h"

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

std::vector<QuizResource> Build(const std::string& text, bool& clean)
{
    QuizSource source;
    std::vector<Problem> problems;
    std::vector<QuizResource> resources;
    clean = ReadQuizSource(text, source, problems) &&
            BuildQuizResources(source, AnyMedium, resources, problems) && problems.empty();
    return resources;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    QuizSource source;
    std::vector<Problem> problems;
    std::vector<QuizResource> resources;
    if (!ReadQuizSource(text, source, problems))
        return 0;
    for (const Problem& problem : problems)
        FormatProblem("fuzz.toml", problem);
    if (!BuildQuizResources(source, AnyMedium, resources, problems) || !problems.empty())
        return 0;

    bool clean = false;
    if (Build(WriteQuizSource(source, "fuzz.toml"), clean) != resources || !clean)
        __builtin_trap();

    QuizSource extracted;
    std::vector<MediaFile> media;
    std::string error;
    if (!ExtractQuizSource(resources, extracted, media, error))
        __builtin_trap();
    WriteQuizSource(extracted, "fuzz.toml");
    return 0;
}
