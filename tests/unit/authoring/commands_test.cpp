#include "tests/unit/authoring/source_fixture.h"

#include "authoring/commands.h"
#include "authoring/media/quiz_icon.h"

#include <gtest/gtest.h>

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
        platform.writePlayer = [this](auto&, auto& output, auto& resources, auto& error) {
            if (writeFails) {
                error = "disque plein";
                return false;
            }
            SaveFile(output, "packed");
            modules[output] = resources;
            return true;
        };
        platform.readResources = [this](auto& module, auto& resources, auto&) {
            resources = modules[module];
            return true;
        };
        platform.sameFile = [](auto& a, auto& b) { return std::filesystem::equivalent(a, b); };
        platform.decodePicture = DecodeTestPicture;
    }

    Outcome Run(const std::vector<std::string>& args)
    {
        CommandOutput output;
        const int code = RunQuizzpack(args, platform, output);
        return {code, output.out, output.err};
    }
};

} // namespace

// Usage mistakes, files that build cannot write (the fake's writes fail, so a
// refusal that is not made shows in the message), then a quiz with mistakes.
TEST(Commands, RefusesWhatItCannotTakeAndWritesNothing)
{
    TempFolder folder;
    FakeWindows windows(folder / "outil");
    windows.writeFails = true;
    const std::string q = folder / "q.toml", player = folder / "lecteur.exe",
                      bad = folder / "capitales.toml";
    SaveFile(q, SOURCES[0]);
    SaveFile(player, "player");
    SaveFile(bad,
             "titre = \"T\"\ndisposition = \"texte\"\n[[question]]\nreponse = \"\"\ntexte = \"q\"\n"
             "texe = \"q\"\n");
    const auto before = Listing(folder.path);
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
        {{"new", q},
         u8"« " + q + u8" » existe déjà, et quizzpack n'écrase rien ; rien n'a été écrit."},
        {{"build", q},
         u8"lecteur introuvable : « " + (folder / "outil") +
             u8"/quizz.exe » ; indiquez-le avec --player"},
        {{"build", q, "--player", player, "-o", player},
         u8"la sortie « " + player +
             u8" » est le lecteur lui-même, qui ne doit pas changer : choisissez un autre nom "
             u8"avec -o"},
        {{"build", q, "--player", player, "-o", q},
         u8"la sortie « " + q + u8" » est le fichier source : choisissez un autre nom avec -o"},
        {{"build", q, "--player", player},
         u8"impossible d'écrire « " + (folder / "q.exe") +
             u8" » : disque plein ; rien n'a été écrit."},
    };
    for (const auto& c : cases) {
        const Outcome run = windows.Run(c.args);
        EXPECT_EQ(run.code, EXIT_USAGE) << c.err;
        EXPECT_EQ(run.err, "quizzpack : " + c.err + "\n");
    }
    EXPECT_EQ(windows.Run({"--version"}).out, "quizzpack 2.1\n");
    // Problems of both steps, in file order, each with the file's path.
    const Outcome check = windows.Run({"check", bad});
    EXPECT_EQ(check.code, EXIT_QUIZ_ERRORS);
    EXPECT_EQ(
        check.err,
        bad + u8":4:11: question 1, reponse : vide : le joueur ne pourrait jamais la trouver\n" +
            bad + u8":6:1: question 1, texe : clé inconnue : vouliez-vous dire « texte » ?\n" +
            bad + u8" : 2 erreurs, rien n'a été écrit.\n");
    EXPECT_EQ(Listing(folder.path), before);
}

// check reads and builds as build does, short of writing.
TEST(Commands, NewWritesAQuizThatChecksAsItIs)
{
    for (const char* layout : {"texte", "image", "son", "video"}) {
        TempFolder folder;
        FakeWindows windows(folder.path);
        const std::string source = folder / "mon quiz.toml";
        EXPECT_EQ(windows.Run({"new", source, "--layout", layout}).code, EXIT_DONE);
        const Outcome check = windows.Run({"check", source});
        EXPECT_EQ(check.code, EXIT_DONE) << layout << check.err;
        EXPECT_NE(check.out.find(std::string(u8"disposition « ") + layout + u8" »"),
                  std::string::npos)
            << check.out;
    }
}

TEST(Commands, ExtractGivesBackTheSourceAndChecksItRebuilds)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string source = folder / "q.toml", packed = folder / "q.exe";
    SaveFile(folder / "quizz.exe", "player");
    ASSERT_EQ(windows.Run({"new", source, "--layout", "image"}).code, EXIT_DONE);
    ASSERT_EQ(windows.Run({"build", source}).code, EXIT_DONE);

    const Outcome extract = windows.Run({"extract", packed});
    EXPECT_EQ(extract.code, EXIT_DONE) << extract.err;
    EXPECT_EQ(extract.out, u8"« " + (folder / "q/q.toml") + u8" » écrit, avec 3 médias.\n");

    // Codes the player cannot decode, which it reads as none, keep a rebuild
    // from giving them again; a resource that is not the player's is left out.
    std::vector<QuizResource>& resources = windows.modules[packed];
    resources[1].data = {0x30};
    resources.push_back({"IMG", 499, Jpeg()});
    const Outcome odd = windows.Run({"extract", packed, "-o", folder / "autre"});
    EXPECT_EQ(odd.code, EXIT_QUIZ_ERRORS);
    EXPECT_EQ(odd.err, u8"quizzpack : la reconstruction de ce quiz ne redonnera pas à l'octet "
                       u8"près les ressources : PATCH 105.\n");
    EXPECT_EQ(Listing(folder / "autre").size(), 4u);
}

// Every packed quiz shows an icon; only one that is not the player's beside
// quizzpack is the quiz's own, given back beside its source.
TEST(Commands, ExtractGivesBackTheQuizsOwnIconButNotThePlayers)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const QuizResource players = {ICON_RESOURCE_TYPE, APPLICATION_ICON,
                                  FitIcon(PlainPicture(8, 8, BLUE), 1)};
    const QuizResource own = {ICON_RESOURCE_TYPE, APPLICATION_ICON,
                              FitIcon(PlainPicture(8, 8, RED), 1)};
    SaveFile(folder / "quizz.exe", "player");
    windows.modules[folder / "quizz.exe"] = {players};
    SaveFile(folder / "q.toml", SOURCES[0]);
    ASSERT_EQ(windows.Run({"build", folder / "q.toml"}).code, EXIT_DONE);
    const std::vector<QuizResource> packed = windows.modules[folder / "q.exe"];
    const struct {
        const char* folder;
        QuizResource icon;
        bool given;
    } rows[] = {{"du lecteur", players, false}, {"propre", own, true}};
    for (const auto& row : rows) {
        windows.modules[folder / "q.exe"] = packed;
        windows.modules[folder / "q.exe"].push_back(row.icon);
        const Outcome extract =
            windows.Run({"extract", folder / "q.exe", "-o", folder / row.folder});
        EXPECT_EQ(extract.code, EXIT_DONE) << row.folder << extract.err;
        const std::string source = LoadFile(folder / (row.folder + std::string("/q.toml")));
        EXPECT_EQ(source.find(u8"\nicone = \"icone.ico\"\n") != std::string::npos, row.given)
            << row.folder;
        EXPECT_EQ(LoadFile(folder / (row.folder + std::string("/icone.ico"))),
                  row.given ? std::string(own.data.begin(), own.data.end()) : "")
            << row.folder;
    }
}
