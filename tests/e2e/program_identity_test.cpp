// program_identity_tests QUIZZ.exe QUIZZPACK.exe [GoogleTest flags]
//
// What Windows reads in our programs' files before running them: the manifest
// that keeps them from being run as administrator, and the version
// information that Explorer shows. A quiz packed from the player keeps both.
#include "authoring/windows_platform.h"
#include "tests/e2e/player_process.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string g_quizzpackPath;

// The execution level that a program's manifest requests.
std::string ExecutionLevel(const std::string& program)
{
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found =
        module ? FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST) : nullptr;
    const std::string text =
        found ? std::string(static_cast<const char*>(LockResource(LoadResource(module, found))),
                            SizeofResource(module, found))
              : "";
    if (module)
        FreeLibrary(module);
    const std::string attribute = "requestedExecutionLevel level=\"";
    const size_t start = text.find(attribute);
    if (start == std::string::npos)
        return "(none)";
    const size_t value = start + attribute.size();
    return text.substr(value, text.find('"', value) - value);
}

struct VersionInfo {
    std::vector<char> data;

    explicit VersionInfo(const std::string& program)
    {
        DWORD ignored = 0;
        data.resize(GetFileVersionInfoSizeA(program.c_str(), &ignored));
        if (!data.empty() &&
            !GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
            data.clear();
    }

    // The language and code page of the block that Explorer reads, as its
    // name: "040c04e4" for French in Windows-1252.
    std::string Block() const
    {
        WORD* translation = nullptr;
        UINT size = 0;
        if (data.empty() ||
            !VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                            reinterpret_cast<void**>(&translation), &size) ||
            size < 2 * sizeof(WORD))
            return "(none)";
        char name[9];
        wsprintfA(name, "%04x%04x", translation[0], translation[1]);
        return name;
    }

    std::string Value(const char* name) const
    {
        const std::string key = "\\StringFileInfo\\" + Block() + "\\" + name;
        char* value = nullptr;
        UINT size = 0;
        return !data.empty() && VerQueryValueA(data.data(), key.c_str(),
                                               reinterpret_cast<void**>(&value), &size)
                   ? value
                   : "(none)";
    }
};

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
        EXPECT_EQ(ExecutionLevel(program.path), "asInvoker") << program.path;
        const VersionInfo version(program.path);
        EXPECT_EQ(version.Block(), "040c04e4") << program.path;
        EXPECT_EQ(version.Value("FileDescription"), program.description) << program.path;
        EXPECT_EQ(version.Value("ProductName"), "Quizz") << program.path;
        EXPECT_EQ(version.Value("ProductVersion"), QUIZZ_VERSION) << program.path;
    }
    DeleteFileA(quiz.c_str());
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        fprintf(stderr, "usage: program_identity_tests QUIZZ.exe QUIZZPACK.exe\n");
        return 2;
    }
    g_playerPath = WindowsPath(argv[1]);
    g_quizzpackPath = WindowsPath(argv[2]);
    return RUN_ALL_TESTS();
}
