// What Windows reads in our programs' files before running them: the manifest
// that keeps them from being run as administrator, the version information
// and the icon that Explorer shows. A quiz packed from the player keeps them.
#include "authoring/media/quiz_icon.h"
#include "authoring/packing/windows_platform.h"
#include "quiz/resource_names.h"
#include "resources/resource_ids.h"
#include "tests/robot/player_process.h"
#include "tests/support/drawn_icon.h"
#include "win32/wide_text.h"

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

BOOL CALLBACK TakeFirst(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first)
{
    *reinterpret_cast<ULONG_PTR*>(first) =
        IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : 0;
    return FALSE;
}

std::vector<unsigned char> Resource(HMODULE module, LPCWSTR type, int id)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found)
        return {};
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    return {bytes, bytes + SizeofResource(module, found)};
}

// The identifier of the first icon group, the one Explorer shows (0 for a
// name), and that group as an .ico file.
int FirstIconGroup(const std::string& program, std::vector<unsigned char>& icon)
{
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return -1;
    ULONG_PTR first = 0;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14), TakeFirst, reinterpret_cast<LONG_PTR>(&first));
    std::vector<unsigned char> image;
    IconFileOfGroup(
        Resource(module, MAKEINTRESOURCEW(14), static_cast<int>(first)),
        [&](int id) { return &(image = Resource(module, MAKEINTRESOURCEW(3), id)); }, icon);
    FreeLibrary(module);
    return static_cast<int>(first);
}

} // namespace

// The speech bubble, blue for the player and every quiz packed from it,
// orange for quizzpack: the first icon group, in the four sizes of the
// quiz icon's form, and what Explorer draws of it.
TEST(ProgramIdentity, ExplorerShowsOurIconsInFourSizes)
{
    const std::string quiz = TemporaryPath("quiz.exe");
    std::string error;
    ASSERT_TRUE(
        WritePackedPlayer(g_playerPath, quiz, {{PAYLOAD_RESOURCE_TYPE, QUIZ_RESOURCE, {0}}}, error))
        << error;
    const struct {
        std::string program;
        uint32_t centreLeft; // the bubble's colour, left of the question mark
    } programs[] = {{g_playerPath, 0x3F92EC}, {quiz, 0x3F92EC}, {g_quizzpackPath, 0xF09327}};
    std::vector<std::vector<unsigned char>> icons;
    for (const auto& p : programs) {
        std::vector<unsigned char> icon;
        EXPECT_EQ(FirstIconGroup(p.program, icon), APPLICATION_ICON) << p.program;
        EXPECT_TRUE(IsQuizIcon(icon)) << p.program;
        icons.push_back(icon);
        HICON shown = ProgramIcon(Widen(p.program), 48);
        ASSERT_NE(shown, nullptr) << p.program;
        const std::vector<uint32_t> pixels = DrawnIcon(shown, 48, 0);
        DestroyIcon(shown);
        const uint32_t seen = PixelAt(pixels, 48, 10, 20);
        for (int shift = 0; shift < 24; shift += 8)
            EXPECT_NEAR(seen >> shift & 0xFF, p.centreLeft >> shift & 0xFF, 40)
                << p.program << std::hex << " " << seen;
    }
    EXPECT_EQ(icons[0], icons[1]);
    EXPECT_NE(icons[0], icons[2]);
    DeleteFileA(quiz.c_str());
}

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
