#include "authoring/packing/quiz_build.h"

#include "authoring/packing/file_set.h"
#include "authoring/packing/kept_source.h"
#include "authoring/source/source_reader.h"

#include <filesystem>
#include <new>

bool BuildQuizFromText(const std::string& text, const MediaReader& readMedia,
                       const PictureDecoder& decode, QuizSource& source,
                       std::vector<QuizResource>& resources, std::vector<Problem>& problems,
                       StoredPictureCache* cache, QuizTarget target)
{
    resources.clear();
    std::vector<Problem> found;
    // The atelier checks on a thread of its own after every change: memory
    // running out there must be a problem told, not the end of the teacher's
    // unsaved work.
    try {
        if (ReadQuizSource(text, source, found) &&
            BuildQuizResources(source, readMedia, decode, resources, found, cache, target))
            AddKeptSource(text, source, resources, found);
    } catch (const std::bad_alloc&) {
        resources.clear();
        resources.shrink_to_fit();
        found.push_back({{}, "", OUT_OF_MEMORY});
    }
    SortProblems(found);
    problems.insert(problems.end(), found.begin(), found.end());
    return CountErrors(found) == 0;
}

std::string DefaultPlayer(const std::string& toolDirectory)
{
    return (std::filesystem::u8path(toolDirectory) / PLAYER_FILE_NAME).u8string();
}

std::string
OutputConflict(const std::string& output, const std::string& player, const std::string& sourcePath,
               const std::function<bool(const std::string&, const std::string&)>& sameFile)
{
    // Only existing files can be one: a new output is none of them.
    if (!IsFile(output))
        return "";
    if (IsFile(player) && sameFile(output, player))
        return u8"la sortie " + Quoted(output) +
               u8" est le lecteur lui-même, qui ne doit pas changer";
    if (IsFile(sourcePath) && sameFile(output, sourcePath))
        return u8"la sortie " + Quoted(output) + u8" est le fichier source";
    return "";
}
