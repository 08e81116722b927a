#include "authoring/extraction.h"
#include "authoring/placeholder_media.h"
#include "authoring/source_check.h"
#include "authoring/source_reader.h"
#include "authoring/source_writer.h"
#include "authoring/windows_platform.h"
#include "quiz/loader.h"
#include "tests/support/message_box_recorder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vfw.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace {

using Bytes = std::vector<unsigned char>;
using MediaFiles = std::map<std::string, Bytes>;
namespace fs = std::filesystem;

std::string Self()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Narrow(path);
}

// A fresh folder, with an accented name so that every path goes through the
// wide calls; removed at the end.
struct TempFolder {
    std::string path;
    TempFolder()
    {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static int count = 0;
        path = Narrow(base) + u8"quizzpack é " + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++count);
        fs::create_directories(fs::u8path(path));
    }
    ~TempFolder() { fs::remove_all(fs::u8path(path)); }
    std::string operator/(const std::string& name) const { return path + "\\" + name; }
};

std::map<std::string, uintmax_t> Listing(const std::string& folder)
{
    std::map<std::string, uintmax_t> files;
    for (const auto& entry : fs::directory_iterator(fs::u8path(folder)))
        files[entry.path().filename().u8string()] = entry.is_regular_file() ? entry.file_size() : 0;
    return files;
}

Bytes Read(const std::string& path)
{
    std::ifstream in(fs::u8path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const Bytes& bytes)
{
    std::ofstream(fs::u8path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes B(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::vector<QuizResource> Sorted(std::vector<QuizResource> resources)
{
    std::sort(resources.begin(), resources.end(), [](const QuizResource& a, const QuizResource& b) {
        return a.type != b.type ? a.type < b.type : a.id < b.id;
    });
    return resources;
}

MediaReader FromMemory(const MediaFiles& files)
{
    return [&files](const std::string& path, Bytes& bytes, std::string& reason) {
        auto found = files.find(path);
        if (found == files.end()) {
            reason = "fichier introuvable";
            return false;
        }
        bytes = found->second;
        return true;
    };
}

const MediaFiles MEDIA = {
    {"a.bmp", DiscBitmap(16, 0xFF0000)},
    {"b.bmp", DiscBitmap(16, 0x0000FF)},
    {"s.mp3", SilentMp3(3)},
    {"f.avi", ColourAvi(8, 6, 2, 0x00FF00)},
};

const char* const SOURCES[] = {
    u8"titre = \"Capitales\"\nauteur = \"Léa\"\nexplications = \"Une par pays.\"\n"
    u8"disposition = \"texte\"\ncouleur = \"#FF8000\"\ncodes = [\"UN\", \"DEUX\"]\n"
    u8"[[question]]\nreponse = \"Paris\"\ntexte = \"France ?\"\n"
    u8"[[question]]\nreponse = \"Rome\"\ntexte = \"Italie ?\"\n"
    u8"[[question]]\nreponse = \"Berne\"\ntexte = \"Suisse ?\"\n",
    u8"titre = \"Mangas\"\ndisposition = \"image\"\nrevelation = \"texte\"\n"
    u8"legende_reponse = \"Prénom - Nom\"\nlegende_seconde_reponse = \"Manga / Anime\"\n"
    u8"[[question]]\nreponse = \"Son Goku\"\nseconde_reponse = \"Dragon Ball\"\n"
    u8"image = \"a.bmp\"\ntexte_revele = \"Œuvre d’Akira Toriyama\"\n"
    u8"[[question]]\nreponse = \"Naruto\"\nseconde_reponse = \"Naruto\"\nimage = \"b.bmp\"\n"
    u8"texte_revele = \"\"\n",
    u8"titre = \"Formes\"\ndisposition = \"image\"\nrevelation = \"image\"\n"
    u8"[[question]]\nreponse = \"disque\"\nimage = \"a.bmp\"\nimage_revelee = \"b.bmp\"\n",
    u8"titre = \"Notes\"\ndisposition = \"son\"\n[[question]]\nreponse = \"do\"\nson = \"s.mp3\"\n",
    u8"titre = \"Films\"\ndisposition = \"video\"\n[[question]]\nreponse = \"vert\"\n"
    u8"video = \"f.avi\"\n",
};

std::vector<QuizResource> Build(const std::string& text, QuizRecord* record = nullptr)
{
    QuizSource source;
    std::vector<Problem> problems;
    std::vector<QuizResource> resources;
    EXPECT_TRUE(ReadQuizSource(text, source, problems));
    EXPECT_TRUE(BuildQuizResources(source, FromMemory(MEDIA), resources, problems));
    if (record)
        CheckQuizSource(source, *record, problems);
    EXPECT_TRUE(problems.empty()) << FormatProblem("source", problems.front());
    return resources;
}

std::string Describe(const QuizRecord& quiz)
{
    std::string text = std::string(quiz.title) + "|" + quiz.author + "|" + quiz.explanations + "|" +
                       quiz.firstAnswerCaption + "|" + quiz.secondAnswerCaption + "|" +
                       std::to_string(quiz.layoutKind) + std::to_string(quiz.questionCount) +
                       std::to_string(quiz.answersPerQuestion) + std::to_string(quiz.revealMode) +
                       "|" + std::to_string(quiz.backgroundColour) + "|";
    for (int i = 0; i < quiz.questionCount; ++i)
        text += std::string(quiz.codes[i]) + ",";
    for (const QuestionRecord* q = quiz.firstQuestion; q; q = q->next)
        text += std::string("\n") + q->answer + "/" + q->secondAnswer + "/" + q->questionText +
                "/" + q->revealText;
    return text;
}

int Quizzpack(const std::vector<std::string>& args, std::string* err = nullptr)
{
    CommandOutput output;
    const int code = RunQuizzpack(args, WindowsPlatform(), output);
    if (err)
        *err = output.err;
    return code;
}

} // namespace

TEST(PackedPlayer, CarriesAQuizThatThePlayersLoaderReadsBack)
{
    TempFolder folder;
    for (const char* text : SOURCES) {
        QuizRecord expected;
        const std::vector<QuizResource> resources = Build(text, &expected);
        const std::string output = folder / "quiz.exe";
        std::string error;
        ASSERT_TRUE(WritePackedPlayer(Self(), output, resources, error)) << error;

        HMODULE module = LoadLibraryExW(Widen(output).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        RecordedMessages().clear();
        auto loaded = std::make_unique<QuizRecord>();
        LoadQuizFrom(module, *loaded);
        FreeLibrary(module);
        EXPECT_TRUE(RecordedMessages().empty()) << RecordedMessages().front().text;
        EXPECT_EQ(Describe(*loaded), Describe(expected));

        std::vector<QuizResource> read;
        ASSERT_TRUE(ReadModuleResources(output, read, error)) << error;
        EXPECT_EQ(Sorted(read), Sorted(resources));

        // And out again: the extracted source builds the same resources.
        QuizSource source;
        std::vector<MediaFile> files;
        ASSERT_TRUE(ExtractQuizSource(read, source, files, error)) << error;
        MediaFiles media;
        for (const MediaFile& file : files)
            media[file.name] = file.data;
        QuizSource again;
        std::vector<Problem> problems;
        std::vector<QuizResource> rebuilt;
        ReadQuizSource(WriteQuizSource(source, "q.toml"), again, problems);
        EXPECT_TRUE(BuildQuizResources(again, FromMemory(media), rebuilt, problems));
        EXPECT_EQ(rebuilt, resources);
    }
}

TEST(PackedPlayer, NewBuildExtractBuildGivesTheSameResources)
{
    TempFolder folder;
    const Bytes player = Read(Self());
    Write(folder / "quizz.exe", player);
    const std::string source = folder / "couleurs.toml";
    std::string err;
    ASSERT_EQ(Quizzpack({"new", source, "--layout", "image"}, &err), EXIT_DONE) << err;
    ASSERT_EQ(Quizzpack({"build", source, "--player", folder / "quizz.exe"}, &err), EXIT_DONE)
        << err;
    ASSERT_EQ(Quizzpack({"extract", folder / "couleurs.exe", "-o", folder / "rendu"}, &err),
              EXIT_DONE)
        << err;
    ASSERT_EQ(Quizzpack({"build", folder / "rendu\\couleurs.toml", "--player",
                         folder / "couleurs.exe", "-o", folder / "encore.exe"},
                        &err),
              EXIT_DONE)
        << err;
    std::vector<QuizResource> first;
    std::vector<QuizResource> second;
    std::string error;
    ASSERT_TRUE(ReadModuleResources(folder / "couleurs.exe", first, error));
    ASSERT_TRUE(ReadModuleResources(folder / "encore.exe", second, error));
    EXPECT_EQ(first.size(), 5u);
    EXPECT_EQ(Sorted(first), Sorted(second));
    EXPECT_EQ(Read(folder / "quizz.exe"), player);
}

TEST(PackedPlayer, ATemplateThatCarriesAQuizLosesAllOfIt)
{
    TempFolder folder;
    const std::string five =
        u8"titre = \"T\"\ndisposition = \"image\"\nrevelation = \"image\"\n" + [] {
            std::string questions;
            for (int i = 0; i < 5; ++i)
                questions += "[[question]]\nreponse = \"a\"\nimage = "
                             "\"a.bmp\"\nimage_revelee = \"b.bmp\"\n";
            return questions;
        }();
    // A template with a resource of its own, as the player has its dialog.
    const std::string player = folder / "player.exe";
    ASSERT_TRUE(CopyFileW(Widen(Self()).c_str(), Widen(player).c_str(), FALSE));
    HANDLE update = BeginUpdateResourceW(Widen(player).c_str(), FALSE);
    char own[] = "the player's own";
    UpdateResourceW(update, L"OWN", MAKEINTRESOURCEW(1001),
                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), own, sizeof own);
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));

    std::string error;
    ASSERT_TRUE(WritePackedPlayer(player, folder / "five.exe", Build(five), error)) << error;
    const std::vector<QuizResource> one = Build(SOURCES[3]);
    ASSERT_TRUE(WritePackedPlayer(folder / "five.exe", folder / "one.exe", one, error)) << error;
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
    const Bytes player = Read(Self());
    const Bytes old = B("the quiz built yesterday");
    const struct {
        const char* name;
        const char* player; // in the folder, or "self"
        const char* output; // in the folder
        bool outputLocked;
        std::string error;
    } cases[] = {
        {"missing player", "absent.exe", "out.exe", false, u8"la copie du lecteur a échoué"},
        {"player that is no program", "texte.exe", "out.exe", false,
         u8"le lecteur n'est pas un programme Windows lisible"},
        {"missing output folder", "self", "nulle part\\out.exe", false,
         u8"son dossier est introuvable ou interdit en écriture"},
        {"output held open by another program", "self", "old.exe", true,
         u8"impossible de remplacer le fichier (ouvert ailleurs ?)"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        Write(folder / "texte.exe", B("not a program"));
        Write(folder / "old.exe", old);
        const auto before = Listing(folder.path);
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (c.outputLocked)
            lock = CreateFileW(Widen(folder / c.output).c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        std::string error;
        const std::string playerPath = std::string(c.player) == "self" ? Self() : folder / c.player;
        EXPECT_FALSE(WritePackedPlayer(playerPath, folder / c.output, resources, error)) << c.name;
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(Listing(folder.path), before) << c.name;
        EXPECT_EQ(Read(folder / "old.exe"), old) << c.name;
    }
    EXPECT_EQ(Read(Self()), player);
}

TEST(PackedPlayer, CommandsThatFailKeepTheOutputAndThePlayer)
{
    TempFolder folder;
    const Bytes player = Read(Self());
    Write(folder / "quizz.exe", player);
    Write(folder / "bon.toml", B(SOURCES[0]));
    Write(folder / "faux.toml", B("titre = \"T\"\ndisposition = \"texte\"\n"));
    const Bytes old = B("the quiz built yesterday");
    Write(folder / "bon.exe", old);
    Write(folder / "faux.exe", old);
    const auto before = Listing(folder.path);
    const struct {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{"build", folder / "faux.toml", "--player", folder / "quizz.exe"}, EXIT_QUIZ_ERRORS},
        {{"build", folder / "bon.toml", "--player", folder / "faux.toml"}, EXIT_USAGE},
        {{"build", folder / "bon.toml", "--player", folder / "quizz.exe", "-o",
          folder.path + u8"\\.\\QUIZZ.EXE"},
         EXIT_USAGE},
        {{"extract", folder / "quizz.exe", "-o", folder / "rendu"}, EXIT_USAGE},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(Quizzpack(c.args, &err), c.code) << c.args[1] << err;
        EXPECT_EQ(Listing(folder.path), before) << c.args[1];
    }
    EXPECT_EQ(Read(folder / "quizz.exe"), player);
    EXPECT_EQ(Read(folder / "bon.exe"), old);
}

TEST(PackedPlayer, SameFileFollowsTheFileNotItsSpelling)
{
    TempFolder folder;
    Write(folder / "a.exe", B("a"));
    Write(folder / "b.exe", B("b"));
    EXPECT_TRUE(SameFile(folder / "a.exe", folder.path + "\\.\\A.EXE"));
    EXPECT_TRUE(SameFile(folder / "a.exe", folder.path + "/a.exe"));
    EXPECT_FALSE(SameFile(folder / "a.exe", folder / "b.exe"));
    EXPECT_FALSE(SameFile(folder / "a.exe", folder / "absent.exe"));
}

TEST(PlaceholderMedia, OpenWithTheSystemsOwnReaders)
{
    TempFolder folder;
    Write(folder / "disque.bmp", DiscBitmap(64, 0xD03030));
    HANDLE bitmap = LoadImageW(nullptr, Widen(folder / "disque.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 64);
    EXPECT_EQ(info.bmHeight, 64);
    DeleteObject(bitmap);

    Write(folder / "film.avi", ColourAvi(32, 24, 5, 0x30A040));
    AVIFileInit();
    PAVIFILE file = nullptr;
    ASSERT_EQ(AVIFileOpenW(&file, Widen(folder / "film.avi").c_str(), OF_READ, nullptr), 0);
    AVIFILEINFOW avi = {};
    AVIFileInfoW(file, &avi, sizeof avi);
    EXPECT_EQ(avi.dwStreams, 1u);
    EXPECT_EQ(avi.dwWidth, 32u);
    EXPECT_EQ(avi.dwHeight, 24u);
    EXPECT_EQ(avi.dwLength, 5u);
    AVIFileRelease(file);
    AVIFileExit();
}

TEST(Console, APipeGetsUtf8)
{
    HANDLE read;
    HANDLE write;
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
