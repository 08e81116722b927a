#include "tests/unit/authoring/source_fixture.h"

#include "authoring/packing/file_set.h"
#include "authoring/packing/program_extraction.h"
#include "authoring/packing/quiz_build.h"
#include "quiz/payload.h"

#include <gtest/gtest.h>

namespace {

// Programs as the platform reads them: their resources by path, a file
// standing for each; any other file is no program.
struct Programs {
    TempFolder folder;
    std::map<std::string, std::vector<QuizResource>> modules;
    PackerPlatform platform;

    Programs()
    {
        platform.toolDirectory = folder / "outil";
        platform.readResources = [this](auto& module, auto& resources, auto& error) {
            const auto found = modules.find(module);
            if (found == modules.end()) {
                error = "pas un programme";
                return false;
            }
            resources = found->second;
            return true;
        };
        platform.decodePicture = DecodeTestPicture;
    }

    std::string Add(const std::string& name, const std::vector<QuizResource>& resources)
    {
        SaveFile(folder / name, "program");
        modules[folder / name] = resources;
        return folder / name;
    }
};

std::vector<QuizResource> Built(const std::string& text)
{
    QuizSource source;
    std::vector<QuizResource> resources;
    std::vector<Problem> problems;
    EXPECT_TRUE(
        BuildQuizFromText(text, ReaderOf(MEDIA), DecodeTestPicture, source, resources, problems));
    return resources;
}

} // namespace

TEST(ProgramExtraction, FindsAFreeFolderBesideTheProgram)
{
    const struct {
        std::vector<std::string> there; // files and folders beside
        std::string free;
    } rows[] = {
        {{}, "q"},
        {{"q/"}, "q-2"},
        {{"q"}, "q-2"}, // a file of that name too
        {{"q/", "q-2/"}, "q-3"},
        {{"q-2/"}, "q"},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        for (const std::string& name : row.there)
            if (name.back() == '/')
                std::filesystem::create_directory(std::filesystem::u8path(folder / name));
            else
                SaveFile(folder / name, "");
        EXPECT_EQ(FreeFolder(folder / "q"), folder / row.free) << row.free;
    }
}

// A failure before the program is read leaves sourcePath empty; one at
// writing names the source it could not write. Either way nothing is written.
TEST(ProgramExtraction, TellsWhereItStoppedAndWritesNothing)
{
    Programs programs;
    const std::string quiz = programs.Add("q.exe", Built(SOURCES[0]));
    const std::string bare = programs.Add("lecteur.exe", {});
    SaveFile(programs.folder / "texte.exe", "text");
    const std::string taken = programs.folder / "pris";
    std::filesystem::create_directory(std::filesystem::u8path(taken));
    SaveFile(taken + "/q.toml", "mine");
    const struct {
        std::string program, folder;
        std::string error;
        bool read;
    } rows[] = {
        {programs.folder / "absent.exe", programs.folder / "rendu",
         u8"impossible de lire « " + (programs.folder / "absent.exe") +
             u8" » : fichier introuvable",
         false},
        {programs.folder / "texte.exe", programs.folder / "rendu",
         u8"impossible de lire les ressources de « " + (programs.folder / "texte.exe") +
             u8" » : pas un programme",
         false},
        {bare, programs.folder / "rendu",
         u8"« " + bare +
             u8" » : pas de quiz dedans (ressource PATCH 104 absente) : c'est "
             u8"peut-être le lecteur nu",
         false},
        {quiz, taken,
         u8"« " + taken +
             u8"/q.toml » existe déjà, et rien n'est écrasé ; rien n'a été "
             u8"écrit",
         true},
    };
    const auto before = Listing(programs.folder.path);
    for (const auto& row : rows) {
        ExtractionResult result;
        std::string error;
        EXPECT_FALSE(ExtractProgram(row.program, row.folder, programs.platform, result, error));
        EXPECT_EQ(error, row.error);
        EXPECT_EQ(result.sourcePath, row.read ? row.folder + "/q.toml" : "") << row.error;
        EXPECT_TRUE(result.messages.empty()) << row.error;
        EXPECT_EQ(Listing(programs.folder.path), before) << row.error;
    }
}

// The source written is built again from memory: a quiz that keeps its source
// gives it back and rebuilds without a word; one whose texts a source no
// longer takes is told with the rebuild's problems at their places.
TEST(ProgramExtraction, TellsWhetherTheSourceWrittenRebuildsTheQuiz)
{
    Programs programs;
    QuizRecord record;
    CopyText(record.title, "Pays");
    record.questionCount = 1;
    record.answersPerQuestion = 1;
    record.revealMode = REVEAL_NONE;
    AppendQuestion(record, "", "", "Botte ?");
    Bytes quiz, codes;
    std::vector<QuizResource> old = {{"PATCH", 104, {}}, {"PATCH", 105, {}}};
    std::string reason;
    ASSERT_TRUE(BuildQuizPayload(record, quiz) && BuildCodesPayload(record, codes) &&
                CodePayload(quiz, old[0].data, reason) && CodePayload(codes, old[1].data, reason))
        << reason;

    const std::string rendu = programs.folder / "rendu";
    const struct {
        const char* what;
        std::string program;
        size_t media;
        bool rebuilds;
        std::vector<std::string> messages; // their starts
    } rows[] = {
        {"a quiz keeping its source", programs.Add("formes.exe", Built(SOURCES[2])), 2, true, {}},
        {"an empty answer",
         programs.Add("pays.exe", old),
         0,
         false,
         {rendu + "/pays/pays.toml:", u8"ce quiz ne se reconstruira pas tel quel ; corrigez ces "
                                      u8"erreurs avant de le construire."}},
    };
    for (const auto& row : rows) {
        const std::string folder = rendu + "/" + FileStem(row.program);
        ExtractionResult result;
        std::string error;
        ASSERT_TRUE(ExtractProgram(row.program, folder, programs.platform, result, error))
            << row.what << ": " << error;
        EXPECT_EQ(result.sourcePath, folder + "/" + FileStem(row.program) + ".toml") << row.what;
        EXPECT_EQ(result.mediaCount, row.media) << row.what;
        EXPECT_EQ(result.rebuilds, row.rebuilds) << row.what;
        ASSERT_EQ(result.messages.size(), row.messages.size()) << row.what;
        for (size_t i = 0; i < row.messages.size(); ++i)
            EXPECT_EQ(result.messages[i].substr(0, row.messages[i].size()), row.messages[i])
                << row.what;
        EXPECT_EQ(Listing(folder).size(), row.media + 1) << row.what;
    }
}
