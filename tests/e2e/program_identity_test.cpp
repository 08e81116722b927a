// What Windows reads in our programs' files before running them: the manifest
// that keeps them from being run as administrator, and the version
// information that Explorer shows. A quiz packed from the player keeps both.
#include "authoring/windows_platform.h"
#include "quiz/resource_names.h"
#include "tests/e2e/player_process.h"

#include <gtest/gtest.h>

namespace {

// The execution level the manifest asks for, then the description and
// version as Explorer reads them, in the block of the first language and code
// page listed; "-" for each one missing.
std::string Identity(const std::string& program)
{
    std::string manifest;
    if (HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        if (HRSRC found = FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST))
            manifest.assign(static_cast<const char*>(LockResource(LoadResource(module, found))),
                            SizeofResource(module, found));
        FreeLibrary(module);
    }
    std::string identity =
        manifest.find("level=\"asInvoker\"") != std::string::npos ? "asInvoker" : "-";
    std::vector<char> data(GetFileVersionInfoSizeA(program.c_str(), nullptr));
    WORD* language = nullptr;
    UINT size = 0;
    if (data.empty() ||
        !GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&language), &size))
        return identity + ", -";
    for (const char* name : {"FileDescription", "ProductVersion"}) {
        char key[64];
        char* value = nullptr;
        wsprintfA(key, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1], name);
        const bool found =
            VerQueryValueA(data.data(), key, reinterpret_cast<void**>(&value), &size);
        identity += ", " + std::string(found ? value : "-");
    }
    return identity;
}

} // namespace

TEST(ProgramIdentity, EveryProgramWeShipIsAnOrdinaryProgramThatSaysWhatItIs)
{
    // Under this name, without its manifest, Windows would take the quiz for
    // an installer.
    const std::string quiz = TemporaryPath("installation-electrique.exe");
    // Its payload does not matter to what the packer keeps of the player's.
    std::string error;
    ASSERT_TRUE(
        WritePackedPlayer(g_playerPath, quiz, {{PAYLOAD_RESOURCE_TYPE, QUIZ_RESOURCE, {0}}}, error))
        << error;

    const std::string player = "asInvoker, Quizz – lecteur de quiz, " QUIZZ_VERSION;
    EXPECT_EQ(Identity(g_playerPath), player);
    EXPECT_EQ(Identity(quiz), player);
    EXPECT_EQ(Identity(g_quizzpackPath),
              "asInvoker, quizzpack – outil de création de quiz Quizz, " QUIZZ_VERSION);
    DeleteFileA(quiz.c_str());
}
