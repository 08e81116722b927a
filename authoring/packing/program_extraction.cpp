#include "authoring/packing/program_extraction.h"

#include "authoring/media/quiz_icon.h"
#include "authoring/media/stored_picture.h"
#include "authoring/packing/extraction.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/quiz_build.h"
#include "authoring/packing/quiz_page.h"
#include "authoring/source/source_writer.h"

#include <algorithm>
#include <filesystem>

namespace {

bool IsKeptSource(const QuizResource& resource)
{
    return resource.type == PAYLOAD_RESOURCE_TYPE && resource.id == SOURCE_RESOURCE;
}

// A quiz that shows the icon of the player beside the tool has none of its
// own: its source builds the same from that player without one.
void LeaveOutThePlayersIcon(const PackerPlatform& platform, std::vector<QuizResource>& resources)
{
    const std::string player = DefaultPlayer(platform.toolDirectory);
    std::vector<QuizResource> own;
    std::string error;
    if (!IsFile(player) || !platform.readResources(player, own, error))
        return;
    for (const QuizResource& resource : own)
        if (resource.type == ICON_RESOURCE_TYPE)
            resources.erase(std::remove(resources.begin(), resources.end(), resource),
                            resources.end());
}

// A rebuild of what was written, from memory, must give the resources read;
// what it tells goes to result.
void Verify(const RecoveredSource& recovered, const PackerPlatform& platform, QuizTarget target,
            ExtractionResult& result)
{
    const std::vector<QuizResource>& expected = recovered.expected;
    QuizSource source;
    std::vector<QuizResource> rebuilt;
    std::vector<Problem> problems;
    const bool built =
        BuildQuizFromText(recovered.text, MediaAmong(recovered.media), platform.decodePicture,
                          source, rebuilt, problems, nullptr, target);
    if (std::none_of(expected.begin(), expected.end(), IsKeptSource))
        rebuilt.erase(std::remove_if(rebuilt.begin(), rebuilt.end(), IsKeptSource), rebuilt.end());
    auto tellProblems = [&] {
        for (const Problem& problem : problems)
            result.messages.push_back(FormatProblem(result.sourcePath, problem));
    };
    if (!built) {
        tellProblems();
        result.messages.push_back(u8"ce quiz ne se reconstruira pas tel quel ; corrigez ces "
                                  u8"erreurs avant de le construire.");
        result.rebuilds = false;
        return;
    }
    if (rebuilt == expected)
        return;
    // What a build now does otherwise than the one that packed the quiz:
    // answers freed of their typing traps, pictures stored as the player
    // shows them best.
    const std::vector<QuizResource> retyped = WithAnswersRetyped(expected);
    bool otherwise = retyped.size() != rebuilt.size();
    int pictures = 0;
    for (size_t i = 0; i < retyped.size() && !otherwise; ++i) {
        const bool converted =
            retyped[i].type == MEDIA_RESOURCE_TYPE && rebuilt[i].type == MEDIA_RESOURCE_TYPE &&
            retyped[i].id == rebuilt[i].id && !StoredAsTheyAre(retyped[i].data) &&
            StoredAsTheyAre(rebuilt[i].data);
        pictures += converted;
        otherwise = !converted && !(retyped[i] == rebuilt[i]);
    }
    if (!otherwise) {
        tellProblems();
        if (retyped != expected)
            result.messages.push_back(u8"reconstruit, ce quiz aura ces réponses corrigées, que "
                                      u8"les élèves pourront taper ; le reste sera identique.");
        if (pictures > 0)
            result.messages.push_back(u8"reconstruit, ce quiz aura ses images (" +
                                      std::to_string(pictures) +
                                      u8") en JPEG de 260 × 260 points au plus, comme le lecteur "
                                      u8"les montre ; le reste sera identique.");
        return;
    }
    std::string differences;
    for (const QuizResource& resource : expected)
        if (std::find(rebuilt.begin(), rebuilt.end(), resource) == rebuilt.end())
            differences += " " + resource.type + " " + std::to_string(resource.id);
    result.messages.push_back(
        u8"la reconstruction de ce quiz ne redonnera pas à l'octet près les ressources :" +
        (differences.empty() ? std::string(u8" leur liste diffère") : differences) + ".");
    result.rebuilds = false;
}

} // namespace

std::string FreeFolder(const std::string& base)
{
    std::string folder = base;
    for (int number = 2; PathExists(folder) && number < 1000; ++number)
        folder = base + "-" + std::to_string(number);
    return folder;
}

MediaReader MediaAmong(const std::vector<MediaFile>& media)
{
    return
        [&media](const std::string& path, std::vector<unsigned char>& bytes, std::string& reason) {
            const auto file = std::find_if(media.begin(), media.end(),
                                           [&path](const MediaFile& m) { return m.name == path; });
            if (file == media.end()) {
                reason = "fichier introuvable";
                return false;
            }
            bytes = file->data;
            return true;
        };
}

bool ReadQuizFile(const std::string& file, const PackerPlatform& platform,
                  std::vector<QuizResource>& resources, std::string& error)
{
    if (!IsFile(file)) {
        error = u8"impossible de lire " + Quoted(file) + " : fichier introuvable";
        return false;
    }
    if (IsPageName(file)) {
        std::vector<unsigned char> bytes;
        if (!ReadWholeFile(file, bytes, error)) {
            error = u8"impossible de lire " + Quoted(file) + " : " + error;
            return false;
        }
        if (!ReadPageResources({bytes.begin(), bytes.end()}, resources, error)) {
            error = Quoted(file) + " : " + error;
            return false;
        }
        return true;
    }
    if (!platform.readResources(file, resources, error)) {
        error = u8"impossible de lire les ressources de " + Quoted(file) + " : " + error;
        return false;
    }
    LeaveOutThePlayersIcon(platform, resources);
    return true;
}

bool RecoverSource(const std::vector<QuizResource>& resources, const std::string& name,
                   RecoveredSource& recovered, std::string& error)
{
    recovered = RecoveredSource();
    QuizSource source;
    std::vector<MediaFile> media;
    if (!ExtractQuizSource(resources, source, media, error))
        return false;
    recovered.expected = ResourcesInUse(resources, source);
    if (!ExtractWrittenSource(resources, recovered.text, recovered.media)) {
        std::vector<QuizResource>& expected = recovered.expected;
        const size_t before = expected.size();
        expected.erase(std::remove_if(expected.begin(), expected.end(), IsKeptSource),
                       expected.end());
        if (expected.size() != before)
            recovered.notes.push_back(u8"note : le fichier source gardé dans ce quiz ne le "
                                      u8"redonne pas ; il est récrit sans ses commentaires.");
        recovered.text = WriteQuizSource(source, name);
        recovered.media = std::move(media);
    }
    return true;
}

bool ExtractProgram(const std::string& program, const std::string& folder,
                    const PackerPlatform& platform, ExtractionResult& result, std::string& error)
{
    result = ExtractionResult();
    std::vector<QuizResource> resources;
    if (!ReadQuizFile(program, platform, resources, error))
        return false;
    const std::string name = FileStem(program) + ".toml";
    RecoveredSource recovered;
    if (!RecoverSource(resources, name, recovered, error)) {
        error = Quoted(program) + " : " + error;
        return false;
    }
    result.sourcePath = (std::filesystem::u8path(folder) / name).u8string();
    result.messages = recovered.notes;
    const std::string& text = recovered.text;
    std::vector<NewFile> files = {{result.sourcePath, {text.begin(), text.end()}}};
    for (const MediaFile& file : recovered.media)
        files.push_back({BesideFile(result.sourcePath, file.name), file.data});
    if (!WriteNewFiles(files, error)) {
        error += u8" ; rien n'a été écrit";
        return false;
    }
    result.mediaCount = recovered.media.size();
    Verify(recovered, platform, IsPageName(program) ? QuizTarget::Page : QuizTarget::Program,
           result);
    return true;
}
