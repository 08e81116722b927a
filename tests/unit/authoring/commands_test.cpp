#include "tests/unit/authoring/source_fixture.h"

#include "authoring/commands.h"
#include "quiz/lzw.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

// The Windows half, faked: a packed player is a file holding "packed", and
// the resources written are kept by path for readResources.
struct FakeWindows {
    std::map<std::string, std::vector<QuizResource>> modules;
    bool writeFails = false;
    PackerPlatform platform;

    explicit FakeWindows(const std::string& toolDirectory)
    {
        platform.toolDirectory = toolDirectory;
        platform.writePlayer = [this](const std::string&, const std::string& output,
                                      const std::vector<QuizResource>& resources,
                                      std::string& error) {
            if (writeFails) {
                error = "disque plein";
                return false;
            }
            std::ofstream(output, std::ios::binary) << "packed";
            modules[output] = resources;
            return true;
        };
        platform.readResources = [this](const std::string& module,
                                        std::vector<QuizResource>& resources, std::string&) {
            resources = modules[module];
            return true;
        };
        platform.sameFile = [](const std::string& a, const std::string& b) {
            return std::filesystem::equivalent(a, b);
        };
    }

    Outcome Run(const std::vector<std::string>& args)
    {
        CommandOutput output;
        const int code = RunQuizzpack(args, platform, output);
        return {code, output.out, output.err};
    }
};

} // namespace

TEST(Commands, RefusesWhatItCannotTake)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{},
         u8"il manque la commande : new, check, build ou extract (quizzpack --help les "
         u8"explique)"},
        {{"pack", "q.toml"},
         u8"commande inconnue « pack » : new, check, build ou extract "
         u8"(quizzpack --help les explique)"},
        {{"build"}, u8"il manque le fichier : quizzpack build QUIZ.toml"},
        {{"check", "a.toml", "b.toml"}, u8"un seul fichier par commande : « b.toml » est de trop"},
        {{"build", "a.toml", "--layout=image"},
         u8"option « --layout » inconnue pour build (quizzpack --help)"},
        {{"build", "a.toml", "-o"}, u8"il manque la valeur de -o"},
        {{"build", "a.toml", "-o", "x.exe", "--output=y.exe"}, u8"-o est donné deux fois"},
        {{"new", "a.toml", "--layout", "photo"},
         u8"disposition « photo » inconnue : texte, image, son ou video"},
        {{"--version", "x"}, u8"--version s'emploie seul"},
        {{"check", folder / "absent.toml"},
         u8"impossible de lire « " + (folder / "absent.toml") + u8" » : fichier introuvable"},
        {{"check", folder.path},
         u8"impossible de lire « " + folder.path + u8" » : c'est un dossier, pas un fichier"},
    };
    for (const auto& c : cases) {
        const Outcome run = windows.Run(c.args);
        EXPECT_EQ(run.code, EXIT_USAGE) << c.err;
        EXPECT_EQ(run.err, "quizzpack : " + c.err + "\n");
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(windows.Run({"--version"}).out, "quizzpack 2.1\n");
    EXPECT_EQ(windows.Run({"--help"}).code, EXIT_DONE);
    EXPECT_TRUE(Listing(folder.path).empty());
}

TEST(Commands, NewWritesAQuizThatChecksAndBuildsAsItIs)
{
    for (const char* layout : {"texte", "image", "son", "video"}) {
        TempFolder folder;
        FakeWindows windows(folder.path);
        SaveFile(folder / "quizz.exe", "player");
        const std::string source = folder / "mon quiz.toml";
        EXPECT_EQ(windows.Run({"new", source, "--layout", layout}).code, EXIT_DONE);
        const Outcome check = windows.Run({"check", source});
        EXPECT_EQ(check.code, EXIT_DONE) << layout << check.err;
        EXPECT_NE(check.out.find(std::string(u8"disposition « ") + layout + u8" »"),
                  std::string::npos)
            << check.out;
        const Outcome build = windows.Run({"build", source});
        EXPECT_EQ(build.code, EXIT_DONE) << layout << build.err;
        EXPECT_EQ(windows.modules.count(folder / "mon quiz.exe"), 1u) << layout;
        EXPECT_EQ(LoadFile(folder / "quizz.exe"), "player");

        const Outcome again = windows.Run({"new", source, "--layout", layout});
        EXPECT_EQ(again.code, EXIT_USAGE);
        EXPECT_EQ(again.err, u8"quizzpack : « " + source +
                                 u8" » existe déjà, et quizzpack n'écrase rien ; rien n'a été "
                                 u8"écrit.\n");
    }
}

// Problems of both steps, in file order, each with the file's path.
TEST(Commands, CheckTellsEveryMistakeOfAFile)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string file = folder / "capitales.toml";
    SaveFile(
        file,
        "titre = \"T\"\ndisposition = \"texte\"\n[[question]]\nreponse = \"a\"\ntexe = \"q\"\n");
    const Outcome check = windows.Run({"check", file});
    EXPECT_EQ(check.code, EXIT_QUIZ_ERRORS);
    EXPECT_EQ(check.err,
              file +
                  u8":3:1: question 1, texte : manquant : dans la disposition \"texte\", chaque "
                  u8"question montre son texte\n" +
                  file +
                  u8":5:1: question 1, texe : clé inconnue : vouliez-vous dire « texte » ?\n" +
                  file + u8" : 2 erreurs, rien n'a été écrit.\n");
    EXPECT_EQ(check.out, "");
}

TEST(Commands, BuildRefusesBeforeWritingAnything)
{
    TempFolder folder;
    FakeWindows windows(folder / "outil");
    std::filesystem::create_directory(folder / "outil");
    SaveFile(folder / "q.toml", SOURCES[0]);
    SaveFile(folder / "lecteur.exe", "player");
    const std::string q = folder / "q.toml";
    const struct {
        std::vector<std::string> args;
        bool writeFails;
        std::string err;
    } cases[] = {
        {{"build", q},
         false,
         u8"lecteur introuvable : « " + (folder / "outil") +
             u8"/quizz.exe » ; indiquez-le avec --player"},
        {{"build", q, "--player", folder / "lecteur.exe", "-o", folder / "lecteur.exe"},
         false,
         u8"la sortie « " + (folder / "lecteur.exe") +
             u8" » est le lecteur lui-même, qui ne doit pas changer : choisissez un autre nom "
             u8"avec -o"},
        {{"build", q, "--player", folder / "lecteur.exe", "-o", q},
         false,
         u8"la sortie « " + q + u8" » est le fichier source : choisissez un autre nom avec -o"},
        {{"build", q, "--player", folder / "lecteur.exe"},
         true,
         u8"impossible d'écrire « " + (folder / "q.exe") +
             u8" » : disque plein ; rien n'a été écrit."},
    };
    for (const auto& c : cases) {
        windows.writeFails = c.writeFails;
        const Outcome run = windows.Run(c.args);
        EXPECT_EQ(run.code, EXIT_USAGE) << c.err;
        EXPECT_EQ(run.err, "quizzpack : " + c.err + "\n");
        EXPECT_TRUE(windows.modules.empty());
    }
    EXPECT_EQ(LoadFile(q), SOURCES[0]);
    EXPECT_EQ(LoadFile(folder / "lecteur.exe"), "player");
}

TEST(Commands, ExtractGivesBackTheSourceAndChecksItRebuilds)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string source = folder / "q.toml";
    ASSERT_EQ(windows.Run({"new", source, "--layout", "image"}).code, EXIT_DONE);
    SaveFile(folder / "quizz.exe", "player");
    ASSERT_EQ(windows.Run({"build", source}).code, EXIT_DONE);
    const std::string packed = folder / "q.exe";

    const Outcome extract = windows.Run({"extract", packed});
    EXPECT_EQ(extract.code, EXIT_DONE) << extract.err;
    EXPECT_EQ(extract.out, u8"« " + (folder / "q/q.toml") + u8" » écrit, avec 3 médias.\n");
    EXPECT_EQ(LoadFile(folder / "q/image01.bmp"), LoadFile(folder / "medias/image1.bmp"));

    // A payload with a byte past the colour: the player ignores it, a source
    // cannot hold it.
    std::vector<QuizResource>& resources = windows.modules[packed];
    unsigned char* plain = nullptr;
    uint32_t length = 0;
    LzwDecode(resources[0].data.data(), static_cast<uint32_t>(resources[0].data.size()), &plain,
              &length);
    Bytes longer(plain, plain + length);
    free(plain);
    longer.push_back('!');
    std::string reason;
    ASSERT_TRUE(CodePayload(longer, resources[0].data, reason));
    resources.push_back({"IMG", 499, Jpeg()}); // not the player's: not extracted
    const Outcome odd = windows.Run({"extract", packed, "-o", folder / "autre"});
    EXPECT_EQ(odd.code, EXIT_QUIZ_ERRORS);
    EXPECT_EQ(odd.err, u8"quizzpack : la reconstruction de ce quiz ne redonnera pas à l'octet "
                       u8"près les ressources : PATCH 104.\n");
    EXPECT_EQ(Listing(folder / "autre").size(), 4u);
}
