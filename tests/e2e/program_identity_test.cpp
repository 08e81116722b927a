// What Windows reads in our programs' files before running them: the manifest
// that keeps them from being run as administrator, and the version
// information that Explorer shows. A quiz packed from the player keeps both.
#include "authoring/windows_platform.h"
#include "tests/e2e/player_process.h"

#include <gtest/gtest.h>

namespace {

std::string Manifest(const std::string& program)
{
    std::string text;
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (HRSRC found = module
                          ? FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST)
                          : nullptr)
        text.assign(static_cast<const char*>(LockResource(LoadResource(module, found))),
                    SizeofResource(module, found));
    if (module)
        FreeLibrary(module);
    return text;
}

// As Explorer reads them: the name of the block of the first language and
// code page listed ("040c04e4" for French in Windows-1252), then its texts.
std::vector<std::string> VersionTexts(const std::string& program)
{
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(program.c_str(), &ignored));
    WORD* language = nullptr;
    UINT size = 0;
    if (data.empty() ||
        !GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&language), &size) ||
        size < 2 * sizeof(WORD))
        return {};
    char block[9];
    wsprintfA(block, "%04x%04x", language[0], language[1]);
    std::vector<std::string> texts = {block};
    for (const char* name : {"FileDescription", "ProductName", "ProductVersion"}) {
        const std::string key = std::string("\\StringFileInfo\\") + block + "\\" + name;
        char* value = nullptr;
        texts.push_back(
            VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &size)
                ? value
                : "(none)");
    }
    return texts;
}

} // namespace

TEST(ProgramIdentity, EveryProgramWeShipIsAnOrdinaryProgramThatSaysWhatItIs)
{
    // Under this name, without its manifest, Windows would take the quiz for
    // an installer.
    const std::string quiz = TemporaryPath("installation-electrique.exe");
    std::vector<QuizResource> resources;
    for (const ResourceEntry& entry : QuizResources(*MakeQuiz(0, 1, 1, 0)))
        resources.push_back({entry.type, entry.id, entry.data});
    std::string error;
    ASSERT_TRUE(WritePackedPlayer(g_playerPath, quiz, resources, error)) << error;

    const char* const player = "Quizz – lecteur de quiz";
    const struct {
        std::string path;
        const char* description;
    } programs[] = {
        {g_playerPath, player},
        {quiz, player},
        {g_quizzpackPath, "quizzpack – outil de création de quiz Quizz"},
    };
    for (const auto& program : programs) {
        EXPECT_NE(Manifest(program.path).find("requestedExecutionLevel level=\"asInvoker\""),
                  std::string::npos)
            << program.path;
        EXPECT_EQ(
            VersionTexts(program.path),
            (std::vector<std::string>{"040c04e4", program.description, "Quizz", QUIZZ_VERSION}))
            << program.path;
    }
    DeleteFileA(quiz.c_str());
}
