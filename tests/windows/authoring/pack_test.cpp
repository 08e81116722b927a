#include "authoring/placeholder_media.h"
#include "authoring/source_check.h"
#include "authoring/windows_platform.h"
#include "quiz/loader.h"
#include "quiz/payload.h"
#include "tests/support/message_box_recorder.h"
#include "tests/unit/authoring/source_fixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vfw.h>

#include <algorithm>
#include <memory>

namespace {

std::string Self()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Narrow(path);
}

std::vector<QuizResource> Sorted(std::vector<QuizResource> resources)
{
    std::sort(resources.begin(), resources.end(), [](const QuizResource& a, const QuizResource& b) {
        return a.type != b.type ? a.type < b.type : a.id < b.id;
    });
    return resources;
}

std::vector<QuizResource> Build(const std::string& text)
{
    std::vector<QuizResource> resources;
    EXPECT_EQ(ProblemsOf(text, MEDIA, &resources), "");
    return resources;
}

// Every field of a record, as its two payloads.
Bytes Payloads(const QuizRecord& quiz)
{
    Bytes payload, codes;
    EXPECT_TRUE(BuildQuizPayload(quiz, payload) && BuildCodesPayload(quiz, codes));
    payload.insert(payload.end(), codes.begin(), codes.end());
    return payload;
}

int Quizzpack(const std::vector<std::string>& args)
{
    CommandOutput output;
    const int code = RunQuizzpack(args, WindowsPlatform(), output);
    EXPECT_EQ(output.err, "") << args[0];
    return code;
}

} // namespace

TEST(PackedPlayer, CarriesAQuizThatThePlayersLoaderReadsBack)
{
    TempFolder folder;
    for (const char* text : SOURCES) {
        QuizSource source;
        std::vector<Problem> problems;
        QuizRecord expected;
        ReadQuizSource(text, source, problems);
        CheckQuizSource(source, expected, problems);
        const std::vector<QuizResource> resources = Build(text);
        std::string error;
        ASSERT_TRUE(WritePackedPlayer(Self(), folder / "quiz.exe", resources, error)) << error;

        HMODULE module =
            LoadLibraryExW(Widen(folder / "quiz.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        RecordedMessages().clear();
        auto loaded = std::make_unique<QuizRecord>();
        LoadQuizFrom(module, *loaded);
        FreeLibrary(module);
        EXPECT_TRUE(RecordedMessages().empty()) << RecordedMessages().front().text;
        EXPECT_EQ(Payloads(*loaded), Payloads(expected));
        std::vector<QuizResource> read;
        ASSERT_TRUE(ReadModuleResources(folder / "quiz.exe", read, error)) << error;
        EXPECT_EQ(Sorted(read), Sorted(resources));
    }
}

TEST(PackedPlayer, NewBuildExtractBuildGivesTheSameResources)
{
    TempFolder folder;
    const std::string player = LoadFile(Self()), source = folder / "couleurs.toml";
    SaveFile(folder / "quizz.exe", player);
    ASSERT_EQ(Quizzpack({"new", source, "--layout", "image"}), EXIT_DONE);
    ASSERT_EQ(Quizzpack({"build", source, "--player", folder / "quizz.exe"}), EXIT_DONE);
    ASSERT_EQ(Quizzpack({"extract", folder / "couleurs.exe", "-o", folder / "rendu"}), EXIT_DONE);
    ASSERT_EQ(Quizzpack({"build", folder / "rendu\\couleurs.toml", "--player",
                         folder / "couleurs.exe", "-o", folder / "encore.exe"}),
              EXIT_DONE);
    std::vector<QuizResource> first, second;
    std::string error;
    ASSERT_TRUE(ReadModuleResources(folder / "couleurs.exe", first, error));
    ASSERT_TRUE(ReadModuleResources(folder / "encore.exe", second, error));
    EXPECT_EQ(first.size(), 5u);
    EXPECT_EQ(Sorted(first), Sorted(second));
    EXPECT_EQ(LoadFile(folder / "quizz.exe"), player);
}

TEST(PackedPlayer, ATemplateThatCarriesAQuizLosesAllOfIt)
{
    TempFolder folder;
    // A template with a resource of its own, as the player has its dialog.
    const std::string player = folder / "player.exe";
    ASSERT_TRUE(CopyFileW(Widen(Self()).c_str(), Widen(player).c_str(), FALSE));
    HANDLE update = BeginUpdateResourceW(Widen(player).c_str(), FALSE);
    char own[] = "the player's own";
    UpdateResourceW(update, L"OWN", MAKEINTRESOURCEW(1001),
                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), own, sizeof own);
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));

    std::string error;
    ASSERT_TRUE(WritePackedPlayer(player, folder / "two.exe", Build(SOURCES[2]), error)) << error;
    const std::vector<QuizResource> one = Build(SOURCES[4]);
    ASSERT_TRUE(WritePackedPlayer(folder / "two.exe", folder / "one.exe", one, error)) << error;
    std::vector<QuizResource> read;
    ASSERT_TRUE(ReadModuleResources(folder / "one.exe", read, error));
    EXPECT_EQ(Sorted(read), Sorted(one));

    HMODULE module =
        LoadLibraryExW(Widen(folder / "one.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC kept = FindResourceW(module, MAKEINTRESOURCEW(1001), L"OWN");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(LockResource(LoadResource(module, kept)))), own);
    FreeLibrary(module);
}

TEST(PackedPlayer, FailuresLeaveNothingBehind)
{
    const std::vector<QuizResource> resources = Build(SOURCES[0]);
    const std::string player = LoadFile(Self()), old = "the quiz built yesterday";
    const struct {
        const char* player; // in the folder, or "self"
        const char* output; // in the folder
        bool outputLocked;
        std::string error;
    } cases[] = {
        {"absent.exe", "out.exe", false, u8"la copie du lecteur a échoué"},
        {"texte.exe", "out.exe", false, u8"le lecteur n'est pas un programme Windows lisible"},
        {"self", "nulle part\\out.exe", false,
         u8"son dossier est introuvable ou interdit en écriture"},
        {"self", "old.exe", true, u8"impossible de remplacer le fichier (ouvert ailleurs ?)"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        SaveFile(folder / "texte.exe", "not a program");
        SaveFile(folder / "old.exe", old);
        const auto before = Listing(folder.path);
        HANDLE lock = c.outputLocked ? CreateFileW(Widen(folder / c.output).c_str(), GENERIC_READ,
                                                   0, nullptr, OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE;
        std::string error;
        const std::string from = std::string(c.player) == "self" ? Self() : folder / c.player;
        EXPECT_FALSE(WritePackedPlayer(from, folder / c.output, resources, error)) << c.error;
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(Listing(folder.path), before) << c.error;
        EXPECT_EQ(LoadFile(folder / "old.exe"), old) << c.error;
    }
    EXPECT_EQ(LoadFile(Self()), player);
}

TEST(PackedPlayer, CommandsThatFailKeepTheOutputAndThePlayer)
{
    TempFolder folder;
    const std::string player = LoadFile(Self()), old = "the quiz built yesterday";
    SaveFile(folder / "quizz.exe", player);
    SaveFile(folder / "bon.toml", SOURCES[0]);
    SaveFile(folder / "faux.toml", "titre = \"T\"\ndisposition = \"texte\"\n");
    SaveFile(folder / "bon.exe", old);
    SaveFile(folder / "faux.exe", old);
    const auto before = Listing(folder.path);
    const struct {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{"build", folder / "faux.toml", "--player", folder / "quizz.exe"}, EXIT_QUIZ_ERRORS},
        {{"build", folder / "bon.toml", "--player", folder / "faux.toml"}, EXIT_USAGE},
        // The player itself, spelt otherwise.
        {{"build", folder / "bon.toml", "--player", folder / "quizz.exe", "-o",
          folder.path + u8"\\.\\QUIZZ.EXE"},
         EXIT_USAGE},
        {{"extract", folder / "quizz.exe", "-o", folder / "rendu"}, EXIT_USAGE},
    };
    for (const auto& c : cases) {
        CommandOutput output;
        EXPECT_EQ(RunQuizzpack(c.args, WindowsPlatform(), output), c.code) << output.err;
        EXPECT_EQ(Listing(folder.path), before) << c.args[1];
    }
    EXPECT_EQ(LoadFile(folder / "quizz.exe"), player);
    EXPECT_EQ(LoadFile(folder / "bon.exe"), old);
}

TEST(PlaceholderMedia, OpenWithTheSystemsOwnReaders)
{
    TempFolder folder;
    const std::string bmp = folder / "disque.bmp", film = folder / "film.avi";
    SaveFile(bmp, DiscBitmap(64, 0xD03030));
    HANDLE bitmap = LoadImageW(nullptr, Widen(bmp).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 64);
    EXPECT_EQ(info.bmHeight, 64);
    DeleteObject(bitmap);

    SaveFile(film, ColourAvi(32, 24, 5, 0x30A040));
    AVIFileInit();
    PAVIFILE file = nullptr;
    ASSERT_EQ(AVIFileOpenW(&file, Widen(film).c_str(), OF_READ, nullptr), 0);
    AVIFILEINFOW about = {};
    AVIFileInfoW(file, &about, sizeof about);
    EXPECT_EQ(about.dwStreams, 1u);
    EXPECT_EQ(about.dwWidth, 32u);
    EXPECT_EQ(about.dwHeight, 24u);
    EXPECT_EQ(about.dwLength, 5u);
    AVIFileRelease(file);
    AVIFileExit();
}

TEST(Console, APipeGetsUtf8)
{
    HANDLE read, write;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
    HANDLE saved = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_ERROR_HANDLE, write);
    const std::string text = u8"écrit « ☃ »";
    WriteText(true, text);
    SetStdHandle(STD_ERROR_HANDLE, saved);
    CloseHandle(write);
    char buffer[64];
    DWORD length = 0;
    ReadFile(read, buffer, sizeof buffer, &length, nullptr);
    CloseHandle(read);
    EXPECT_EQ(std::string(buffer, length), text);
}
