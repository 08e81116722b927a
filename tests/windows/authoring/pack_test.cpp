#include "authoring/media/placeholder_media.h"
#include "authoring/media/quiz_icon.h"
#include "authoring/packing/windows_platform.h"
#include "authoring/source/source_check.h"
#include "player/loader.h"
#include "quiz/payload.h"
#include "quizzpack/commands.h"
#include "resources/resource_ids.h"
#include "tests/support/drawn_icon.h"
#include "tests/support/message_box_recorder.h"
#include "tests/unit/authoring/source_fixture.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vfw.h>

#include <algorithm>
#include <memory>

namespace {

// The player as built, on Wine's drive for the Linux file system.
const std::string THE_PLAYER = "Z:" PLAYER_PATH;

std::string Self()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Narrow(path);
}

std::vector<QuizResource> Build(const std::string& text)
{
    std::vector<QuizResource> resources;
    EXPECT_EQ(WithoutNotes(ProblemsOf(text, MEDIA, &resources)), "");
    return resources;
}

std::vector<QuizResource> Sorted(std::vector<QuizResource> resources)
{
    std::sort(resources.begin(), resources.end(), [](const QuizResource& a, const QuizResource& b) {
        return a.type != b.type ? a.type < b.type : a.id < b.id;
    });
    return resources;
}

std::vector<QuizResource> ResourcesOf(const std::string& module)
{
    std::vector<QuizResource> resources;
    std::string error;
    EXPECT_TRUE(ReadModuleResources(module, resources, error)) << error;
    return Sorted(resources);
}

// The bytes of a resource of a module, or none.
Bytes ResourceOf(const std::string& module, LPCWSTR type, LPCWSTR name)
{
    Bytes bytes;
    HMODULE handle = LoadLibraryExW(Widen(module).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (HRSRC found = handle ? FindResourceW(handle, name, type) : nullptr) {
        const auto* data =
            static_cast<const unsigned char*>(LockResource(LoadResource(handle, found)));
        bytes.assign(data, data + SizeofResource(handle, found));
    }
    if (handle)
        FreeLibrary(handle);
    return bytes;
}

// Every field of a record, as its two payloads.
Bytes Payloads(const QuizRecord& quiz)
{
    Bytes payload, codes;
    EXPECT_TRUE(BuildQuizPayload(quiz, payload) && BuildCodesPayload(quiz, codes));
    payload.insert(payload.end(), codes.begin(), codes.end());
    return payload;
}

} // namespace

TEST(PackedPlayer, CarriesAQuizThatThePlayersLoaderReadsBack)
{
    TempFolder folder;
    const std::string packed = folder / "quiz.exe";
    for (const char* text : SOURCES) {
        QuizSource source;
        std::vector<Problem> problems;
        QuizRecord expected;
        QuizRules rules;
        ReadQuizSource(text, source, problems);
        CheckQuizSource(source, expected, rules, problems);
        const std::vector<QuizResource> resources = Build(text);
        std::string error;
        ASSERT_TRUE(WritePackedPlayer(Self(), packed, resources, error)) << error;

        HMODULE module = LoadLibraryExW(Widen(packed).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        RecordedMessages().clear();
        auto loaded = std::make_unique<QuizRecord>();
        LoadQuizFrom(module, *loaded);
        FreeLibrary(module);
        EXPECT_TRUE(RecordedMessages().empty()) << RecordedMessages().front().text;
        EXPECT_EQ(Payloads(*loaded), Payloads(expected));
        EXPECT_STREQ(loaded->webSite, expected.webSite);
        EXPECT_EQ(ResourcesOf(packed), Sorted(resources));
    }
}

// A packed quiz used as the player of another keeps the player's own
// resources (here "OWN") but none of its quiz; extracted and built again, a
// quiz is the same; and quizzpack never writes onto the player, however it
// is spelt, which only the real file system tells.
TEST(PackedPlayer, RepackingKeepsThePlayerAndItsResourcesButNothingOfTheOldQuiz)
{
    TempFolder folder;
    const std::string player = folder / "quizz.exe";
    ASSERT_TRUE(CopyFileW(Widen(Self()).c_str(), Widen(player).c_str(), FALSE));
    HANDLE update = BeginUpdateResourceW(Widen(player).c_str(), FALSE);
    char own[] = "the player's own";
    UpdateResourceW(update, L"OWN", MAKEINTRESOURCEW(1001),
                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), own, sizeof own);
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    const std::string withOwn = LoadFile(player);
    std::string error;
    ASSERT_TRUE(WritePackedPlayer(player, folder / "formes.exe", Build(SOURCES[2]), error))
        << error;

    const std::string source = folder / "couleurs.toml";
    const struct {
        std::vector<std::string> args;
        int code;
    } commands[] = {
        {{"new", source, "--layout", "image"}, EXIT_DONE},
        {{"build", source, "--player", player}, EXIT_DONE},
        {{"build", source, "--player", player, "-o", folder.path + u8"\\.\\QUIZZ.EXE"}, EXIT_USAGE},
        {{"extract", folder / "couleurs.exe", "-o", folder / "rendu"}, EXIT_DONE},
        {{"build", folder / "rendu\\couleurs.toml", "--player", folder / "formes.exe", "-o",
          folder / "encore.exe"},
         EXIT_DONE},
    };
    for (const auto& c : commands) {
        CommandOutput output;
        ASSERT_EQ(RunQuizzpack(c.args, WindowsPlatform(), output), c.code) << output.err;
    }
    EXPECT_EQ(ResourcesOf(folder / "couleurs.exe"), ResourcesOf(folder / "encore.exe"));
    HMODULE module =
        LoadLibraryExW(Widen(folder / "encore.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC kept = FindResourceW(module, MAKEINTRESOURCEW(1001), L"OWN");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(LockResource(LoadResource(module, kept)))), own);
    FreeLibrary(module);
    EXPECT_EQ(LoadFile(player), withOwn);
}

// A quiz keeps its source: extracted beside its own source folder (as in the
// distribution's exemples), it comes back as written, comments and Windows
// separators included, with its media under their names, and builds the
// same resources again, the kept source among them.
TEST(PackedPlayer, ExtractGivesBackTheSourceAsWrittenAndRebuildsTheSameBytes)
{
    TempFolder folder;
    const std::string player = folder / "quizz.exe";
    ASSERT_TRUE(CopyFileW(Widen(Self()).c_str(), Widen(player).c_str(), FALSE));
    CreateDirectoryW(Widen(folder / "formes").c_str(), nullptr);
    CreateDirectoryW(Widen(folder / "formes/images").c_str(), nullptr);
    const std::string text =
        u8"# Les formes, pour la classe de CE1.\r\n"
        u8"titre = \"Les formes\" # le titre\r\n"
        u8"disposition = \"image\"\r\nrevelation = \"image\"\r\n\r\n"
        u8"[[question]] # la première\r\nreponse = \"disque\"\r\n"
        u8"image = \"images\\disque.jpg\"\r\nimage_revelee = \"images/trouvé.jpg\"\r\n\r\n"
        u8"[[question]]\r\nreponse = \"carré\"\r\n"
        u8"image = \"images/carre.jpg\"\r\nimage_revelee = \"images/trouvé.jpg\"\r\n";
    SaveFile(folder / "formes/formes.toml", text);
    const MediaFiles media = {{"images/disque.jpg", DiscPicture(16, 0x3050D0)},
                              {"images/carre.jpg", DiscPicture(16, 0xD03030)},
                              {u8"images/trouvé.jpg", DiscPicture(16, 0x30A040)}};
    for (const auto& [name, bytes] : media)
        SaveFile(folder / ("formes/" + name), bytes);

    const struct {
        std::vector<std::string> args;
        std::string out;
    } commands[] = {
        {{"build", folder / "formes/formes.toml", "-o", folder / "formes.exe", "--player", player},
         ""},
        {{"extract", folder / "formes.exe"},
         u8"le dossier « " + (folder / "formes") + u8" » existe déjà : extrait dans « " +
             (folder / "formes-2") + u8" ».\n« " + (folder / "formes-2\\formes.toml") +
             u8" » écrit, avec 3 médias.\n"},
        {{"build", folder / "formes-2/formes.toml", "-o", folder / "encore.exe", "--player",
          player},
         ""},
    };
    for (const auto& c : commands) {
        CommandOutput output;
        ASSERT_EQ(RunQuizzpack(c.args, WindowsPlatform(), output), EXIT_DONE) << output.err;
        if (!c.out.empty()) {
            EXPECT_EQ(output.out, c.out);
        }
    }
    EXPECT_EQ(LoadFile(folder / "formes-2/formes.toml"), text);
    for (const auto& [name, bytes] : media)
        EXPECT_EQ(LoadFile(folder / ("formes-2/" + name)), std::string(bytes.begin(), bytes.end()))
            << name;
    EXPECT_EQ(Listing(folder / "formes-2").size(), media.size() + 2); // the folder, the source
    const std::vector<QuizResource> built = ResourcesOf(folder / "formes.exe");
    EXPECT_EQ(built.back().id, SOURCE_RESOURCE);
    EXPECT_EQ(ResourcesOf(folder / "encore.exe"), built);

    // The player reads its quiz beside the kept source as it would without.
    HMODULE module =
        LoadLibraryExW(Widen(folder / "formes.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    RecordedMessages().clear();
    auto loaded = std::make_unique<QuizRecord>();
    LoadQuizFrom(module, *loaded);
    FreeLibrary(module);
    EXPECT_TRUE(RecordedMessages().empty());
    EXPECT_EQ(loaded->questionCount, 2);
    EXPECT_STREQ(loaded->title, "Les formes");
}

TEST(PackedPlayer, FailuresLeaveNothingBehind)
{
    const std::vector<QuizResource> resources = Build(SOURCES[0]);
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
        SaveFile(folder / "old.exe", "the quiz built yesterday");
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
    }
}

TEST(PlaceholderMedia, OpenWithTheSystemsOwnReaders)
{
    TempFolder folder;
    SaveFile(folder / "disque.bmp", DiscBitmap(64, 0xD03030));
    HANDLE bitmap = LoadImageW(nullptr, Widen(folder / "disque.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE);
    BITMAP info = {};
    ASSERT_TRUE(GetObjectW(bitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 64);
    DeleteObject(bitmap);

    SaveFile(folder / "film.avi", ColourAvi(32, 24, 5, 0x30A040));
    AVIFileInit();
    PAVIFILE file = nullptr;
    ASSERT_EQ(AVIFileOpenW(&file, Widen(folder / "film.avi").c_str(), OF_READ, nullptr), 0);
    AVIFILEINFOW about = {};
    AVIFileInfoW(file, &about, sizeof about);
    EXPECT_EQ(about.dwWidth, 32u);
    EXPECT_EQ(about.dwHeight, 24u);
    EXPECT_EQ(about.dwLength, 5u);
    AVIFileRelease(file);
    AVIFileExit();
}

// A quiz's icon replaces the player's application icon, under its
// identifiers when it has one (the real player) and new ones when it has
// none (this program): Explorer shows it at every size, the player's other
// icons stay, and extract gives it back as a file that builds the same.
TEST(PackedPlayer, ShowsTheQuizsIconAtEverySizeAndGivesItBack)
{
    constexpr uint32_t MARGIN = 0xFF00FF;
    const struct {
        const char* what;
        std::string player;
        std::vector<int> ids; // of the application icon's images once packed
    } players[] = {
        {"the player", THE_PLAYER, {1, 2, 3, 4}},
        {"a program without an icon", Self(), {1, 2, 3, 4}},
    };
    for (const auto& p : players) {
        TempFolder folder;
        // Twice as wide as high: margins above and below in every square.
        SaveFile(folder / "logo.png", PngOf(Quarters(300, 150)));
        SaveFile(folder / "q.toml", std::string(SOURCES[0]) + "\n");
        std::string source = LoadFile(folder / "q.toml");
        source.insert(source.find("[[question]]"), "icone = \"logo.png\"\n");
        SaveFile(folder / "q.toml", source);
        PackerPlatform platform = WindowsPlatform();
        platform.toolDirectory = std::filesystem::u8path(THE_PLAYER).parent_path().u8string();
        CommandOutput output;
        ASSERT_EQ(
            RunQuizzpack({"build", folder / "q.toml", "--player", p.player}, platform, output),
            EXIT_DONE)
            << p.what << output.err;

        const std::wstring packed = Widen(folder / "q.exe");
        for (const int side : {16, 32, 48}) {
            const std::string what = std::string(p.what) + ", " + std::to_string(side);
            HICON icon = ProgramIcon(packed, side);
            ASSERT_NE(icon, nullptr) << what;
            const std::vector<uint32_t> shown = DrawnIcon(icon, side, MARGIN);
            DestroyIcon(icon);
            const struct {
                int x, y;
                uint32_t colour;
            } places[] = {
                {side / 4, side * 3 / 8, RED},  {side * 3 / 4, side * 3 / 8, GREEN},
                {side / 4, side * 5 / 8, BLUE}, {side * 3 / 4, side * 5 / 8, WHITE},
                {side / 2, side / 8, MARGIN},   {side / 2, side - 1 - side / 8, MARGIN},
            };
            for (const auto& place : places) {
                const uint32_t seen = PixelAt(shown, side, place.x, place.y);
                EXPECT_TRUE(Near(seen, place.colour))
                    << what << " at " << place.x << "," << place.y << ": " << std::hex << seen;
            }
        }
        std::vector<IconImage> entries;
        std::vector<int> ids;
        EXPECT_TRUE(ReadIconGroup(
            ResourceOf(folder / "q.exe", MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(APPLICATION_ICON)),
            entries, ids))
            << p.what;
        EXPECT_EQ(ids, p.ids) << p.what;
        for (int other : {PLAY_ICON, STOP_ICON}) {
            const Bytes group = ResourceOf(p.player, MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(other));
            EXPECT_EQ(ResourceOf(folder / "q.exe", MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(other)),
                      group)
                << p.what << " " << other;
        }

        output = CommandOutput();
        ASSERT_EQ(
            RunQuizzpack({"extract", folder / "q.exe", "-o", folder / "rendu"}, platform, output),
            EXIT_DONE)
            << p.what << output.err;
        // The kept source comes back naming the icon as it is stored.
        EXPECT_NE(LoadFile(folder / "rendu/q.toml").find("\nicone = \"logo.ico\"\n"),
                  std::string::npos)
            << p.what;
        const std::string icon = LoadFile(folder / "rendu/logo.ico");
        EXPECT_TRUE(IsQuizIcon(Bytes(icon.begin(), icon.end()))) << p.what;
    }
}

// A quiz without one shows the player's icon, which extract leaves out.
TEST(PackedPlayer, KeepsThePlayersIconWhenTheQuizHasNone)
{
    TempFolder folder;
    SaveFile(folder / "q.toml", SOURCES[0]);
    PackerPlatform platform = WindowsPlatform();
    platform.toolDirectory = std::filesystem::u8path(THE_PLAYER).parent_path().u8string();
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"build", folder / "q.toml", "--player", THE_PLAYER},
             {"extract", folder / "q.exe", "-o", folder / "rendu"}}) {
        CommandOutput output;
        ASSERT_EQ(RunQuizzpack(args, platform, output), EXIT_DONE) << output.err;
    }
    const Bytes group =
        ResourceOf(THE_PLAYER, MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(APPLICATION_ICON));
    ASSERT_FALSE(group.empty());
    EXPECT_EQ(
        ResourceOf(folder / "q.exe", MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(APPLICATION_ICON)),
        group);
    EXPECT_EQ(Listing(folder / "rendu").count("icone.ico"), 0u);
    EXPECT_EQ(LoadFile(folder / "rendu/q.toml").find("\nicone ="), std::string::npos);
}
