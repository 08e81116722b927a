#include "tests/unit/authoring/source_fixture.h"

#include "authoring/media/quiz_icon.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/quiz_page.h"
#include "quiz/payload.h"
#include "quizzpack/commands.h"
#include "tests/unit/authoring/results_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

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
         u8"il manque la commande : new, check, build, page, extract, importer, essai ou "
         u8"bilan (quizzpack --help les explique)"},
        {{"pack", "q.toml"},
         u8"commande inconnue « pack » : new, check, build, page, extract, importer, essai "
         u8"ou bilan (quizzpack --help les explique)"},
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
        {{"new", q}, u8"« " + q + u8" » existe déjà, et rien n'est écrasé ; rien n'a été écrit."},
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
        bad + u8":4:11: question 1, reponse : vide : l'élève ne pourrait jamais la trouver\n" +
            bad + u8":6:1: question 1, texe : clé inconnue : vouliez-vous dire « texte » ?\n" +
            bad + u8" : 2 erreurs, rien n'a été écrit.\n");
    EXPECT_EQ(Listing(folder.path), before);
}

// check reads and builds as build does, short of writing; the starting
// quiz gets no warning either.
TEST(Commands, NewWritesAQuizThatChecksAsItIs)
{
    for (const char* layout : {"texte", "image", "son", "video"}) {
        TempFolder folder;
        FakeWindows windows(folder.path);
        const std::string source = folder / "mon quiz.toml";
        EXPECT_EQ(windows.Run({"new", source, "--layout", layout}).code, EXIT_DONE);
        const Outcome check = windows.Run({"check", source});
        EXPECT_EQ(check.code, EXIT_DONE) << layout << check.err;
        EXPECT_EQ(check.err, "") << layout;
        EXPECT_NE(check.out.find(std::string(u8"disposition « ") + layout + u8" »"),
                  std::string::npos)
            << check.out;
    }
}

// A page made from a source and one made from the program built from it
// carry the same resources, payloads, media and kept source; extract gives
// the source back from either as from the program. The empty page beside
// the tool is needed, and never overwritten; a failure writes nothing.
TEST(Commands, PageCarriesTheQuizAndExtractsAsTheProgramDoes)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string source = folder / "q.toml", packed = folder / "q.exe";
    const std::string emptyPage = folder / "quizz.html";
    SaveFile(folder / "quizz.exe", "player");
    ASSERT_EQ(windows.Run({"new", source, "--layout", "image"}).code, EXIT_DONE);
    SaveFile(source, u8"# Mes notes\n" + LoadFile(source));

    const Outcome missing = windows.Run({"page", source});
    EXPECT_EQ(missing.code, EXIT_USAGE);
    EXPECT_NE(missing.err.find(u8"page vide introuvable"), std::string::npos) << missing.err;
    const std::string empty = "<title>Quizz</title><!--quizz:ressources--><script></script>";
    SaveFile(emptyPage, empty);
    const Outcome onItself = windows.Run({"page", source, "-o", emptyPage});
    EXPECT_EQ(onItself.code, EXIT_USAGE);
    EXPECT_FALSE(PathExists(folder / "q.html"));

    const Outcome fromSource = windows.Run({"page", source});
    ASSERT_EQ(fromSource.code, EXIT_DONE) << fromSource.err;
    EXPECT_EQ(fromSource.out.rfind(u8"« " + (folder / "q.html") + u8" » écrit : ", 0), 0u)
        << fromSource.out;
    ASSERT_EQ(windows.Run({"build", source}).code, EXIT_DONE);
    const Outcome fromProgram = windows.Run({"page", packed, "-o", folder / "p.html"});
    ASSERT_EQ(fromProgram.code, EXIT_DONE) << fromProgram.err;
    EXPECT_EQ(LoadFile(emptyPage), empty);

    std::vector<QuizResource> fromPage, fromPageOfProgram;
    std::string error;
    ASSERT_TRUE(ReadPageResources(LoadFile(folder / "q.html"), fromPage, error)) << error;
    ASSERT_TRUE(ReadPageResources(LoadFile(folder / "p.html"), fromPageOfProgram, error)) << error;
    EXPECT_EQ(fromPage, windows.modules[packed]);
    EXPECT_EQ(fromPageOfProgram, windows.modules[packed]);

    for (const std::string file : {"q.exe", "q.html", "p.html"}) {
        const Outcome extract =
            windows.Run({"extract", folder / file, "-o", folder / (file + ".d")});
        EXPECT_EQ(extract.code, EXIT_DONE) << file << extract.err;
        EXPECT_EQ(extract.err, "") << file;
        EXPECT_EQ(LoadFile(folder / (file + ".d/" + FileStem(file) + ".toml")), LoadFile(source))
            << file;
    }
}

// A page may carry what the program's player does not play, a phone's WAV
// recording: its source still comes back as written, and rebuilds the page.
TEST(Commands, PageOfSoundsTheProgramRefusesExtractsAsWritten)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string source = folder / "sons.toml";
    SaveFile(folder / "quizz.html", std::string("<title>Quizz</title>") + PAGE_RESOURCES_MARK);
    ASSERT_EQ(windows.Run({"new", source, "--layout", "son"}).code, EXIT_DONE);
    std::string text = u8"# Enregistrés en classe\n" + LoadFile(source);
    const size_t path = text.find(".mp3\"");
    ASSERT_NE(path, std::string::npos);
    const size_t start = text.rfind('"', path) + 1;
    const std::string wav = text.substr(start, path - start) + ".wav";
    text.replace(start, path + 4 - start, wav);
    SaveFile(source, text);
    SaveFile(folder / wav, std::string("RIFF\x24\0\0\0WAVEfmt ", 16) + std::string(28, '\1'));
    EXPECT_EQ(windows.Run({"check", source}).code, EXIT_QUIZ_ERRORS); // for the program
    const Outcome page = windows.Run({"page", source});
    ASSERT_EQ(page.code, EXIT_DONE) << page.err;
    const Outcome extract = windows.Run({"extract", folder / "sons.html"});
    EXPECT_EQ(extract.code, EXIT_DONE) << extract.err;
    EXPECT_EQ(extract.err, "");
    EXPECT_EQ(LoadFile(folder / "sons/sons.toml"), text);
    EXPECT_EQ(LoadFile(folder / ("sons/" + wav)), LoadFile(folder / wav));
}

// A quiz built here keeps its source: extract gives it back as written, with
// its comments and its media names, into QUIZ beside it, then QUIZ-2 once
// QUIZ exists. A quiz built without it gives a regenerated source and
// generated names; one whose kept source no longer builds it, the same, told.
TEST(Commands, ExtractGivesBackTheSourceAsWrittenAndChecksItRebuilds)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string source = folder / "q.toml", packed = folder / "q.exe";
    SaveFile(folder / "quizz.exe", "player");
    ASSERT_EQ(windows.Run({"new", source, "--layout", "image"}).code, EXIT_DONE);
    std::string text = u8"# Mon quiz à moi\n" + LoadFile(source);
    const size_t path = text.find("medias/image2.jpg");
    ASSERT_NE(path, std::string::npos);
    text.replace(path, 17, "medias\\image2.jpg");
    SaveFile(source, text);
    const Outcome build = windows.Run({"build", source});
    ASSERT_EQ(build.code, EXIT_DONE) << build.err;
    EXPECT_NE(build.err.find(u8"note : question 2, image : les \\ du chemin"), std::string::npos)
        << build.err;

    const std::map<std::string, uintmax_t> expected = {
        {"q.toml", text.size()},
        {"medias", 0},
        {"medias/image1.jpg", LoadFile(folder / "medias/image1.jpg").size()},
        {"medias/image2.jpg", LoadFile(folder / "medias/image2.jpg").size()},
        {"medias/image3.jpg", LoadFile(folder / "medias/image3.jpg").size()},
    };
    const Outcome extract = windows.Run({"extract", packed});
    EXPECT_EQ(extract.code, EXIT_DONE) << extract.err;
    EXPECT_EQ(extract.out, u8"« " + (folder / "q/q.toml") + u8" » écrit, avec 3 médias.\n");
    EXPECT_EQ(LoadFile(folder / "q/q.toml"), text);
    EXPECT_EQ(Listing(folder / "q"), expected);
    const Outcome again = windows.Run({"extract", packed});
    EXPECT_EQ(again.code, EXIT_DONE) << again.err;
    EXPECT_EQ(again.out, u8"le dossier « " + (folder / "q") + u8" » existe déjà : extrait dans « " +
                             (folder / "q-2") + u8" ».\n« " + (folder / "q-2/q.toml") +
                             u8" » écrit, avec 3 médias.\n");
    EXPECT_EQ(Listing(folder / "q-2"), expected);

    // Built before sources were kept.
    std::vector<QuizResource>& resources = windows.modules[packed];
    ASSERT_EQ(resources.back().id, SOURCE_RESOURCE);
    const QuizResource kept = resources.back();
    resources.pop_back();
    const Outcome older = windows.Run({"extract", packed, "-o", folder / "ancien"});
    EXPECT_EQ(older.code, EXIT_DONE) << older.err;
    EXPECT_EQ(older.err, "");
    EXPECT_EQ(LoadFile(folder / "ancien/q.toml").rfind(u8"# Quiz pour le lecteur Quizz.", 0), 0u);
    EXPECT_EQ(Listing(folder / "ancien").count("image02.jpg"), 1u);

    // Codes the player cannot decode, which it reads as none, keep a rebuild
    // from giving them again; a resource that is not the player's is left out.
    resources.push_back(kept);
    resources[1].data = {0x30};
    resources.push_back({"IMG", 499, Jpeg()});
    const Outcome odd = windows.Run({"extract", packed, "-o", folder / "autre"});
    EXPECT_EQ(odd.code, EXIT_QUIZ_ERRORS);
    EXPECT_EQ(odd.err, u8"quizzpack : note : le fichier source gardé dans ce quiz ne le redonne "
                       u8"pas ; il est récrit sans ses commentaires.\n"
                       u8"quizzpack : la reconstruction de ce quiz ne redonnera pas à l'octet "
                       u8"près les ressources : PATCH 105.\n");
    EXPECT_EQ(Listing(folder / "autre").size(), 4u);
}

// importer writes beside the table, or elsewhere with its paths rewritten,
// never over a file; what check finds in the result makes exit code 1, and
// a table it cannot read leaves nothing behind.
TEST(Commands, ImporterWritesASourceAndTellsWhatIsLeftToDo)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    std::filesystem::create_directories(std::filesystem::u8path(folder / "cours/images"));
    const std::string table = folder / u8"cours/capitales é.csv";
    const std::string beside = folder / u8"cours/capitales é.toml";
    SaveFile(table, "Question;R\xE9ponse;Image\r\nFrance ?;Paris;images\\a.jpg\r\n"
                    "Italie ?;Rome;images\\b.jpg\r\n");
    SaveFile(folder / "cours/images/a.jpg", Jpeg());
    SaveFile(folder / "sans.csv", "France;Paris\n");

    const Outcome first = windows.Run({"importer", table});
    EXPECT_EQ(first.code, EXIT_QUIZ_ERRORS) << first.err;
    EXPECT_EQ(first.out.substr(0, first.out.find('\n')),
              u8"« " + beside + u8" » écrit : 2 questions de « " + table +
                  u8" » (tableau séparé par des points-virgules, en Windows-1252).");
    EXPECT_NE(first.out.find(u8"  - remplacez le titre provisoire « Titre à compléter » ;\n"),
              std::string::npos);
    const std::string written = LoadFile(beside);
    const auto line = std::count(written.begin(),
                                 written.begin() + written.find("image = \"images/b.jpg\""), '\n');
    // Beside the warning that the layout does not show the questions' texts.
    for (const std::string& told :
         {beside + ":" + std::to_string(line + 1) +
              u8":9: question 2, image : « images/b.jpg » : fichier introuvable ; vouliez-vous "
              u8"dire « images/a.jpg » ?\n",
          beside + u8" : 1 erreur à corriger avant de construire.\n"})
        EXPECT_NE(first.err.find(told), std::string::npos) << first.err;
    EXPECT_NE(written.find(u8"titre = \"Titre à compléter\""), std::string::npos);

    const Outcome again = windows.Run({"importer", table});
    EXPECT_EQ(again.code, EXIT_USAGE);
    EXPECT_EQ(again.err, u8"quizzpack : « " + beside +
                             u8" » existe déjà, et rien n'est écrasé ; rien n'a été écrit "
                             u8"(choisissez un autre nom avec -o).\n");
    EXPECT_EQ(LoadFile(beside), written);

    SaveFile(folder / "cours/images/b.jpg", Jpeg());
    const std::string elsewhere = folder / "quiz/q.toml";
    const Outcome moved = windows.Run({"importer", table, "-o", elsewhere, "--disposition=image"});
    EXPECT_EQ(moved.code, EXIT_DONE) << moved.err;
    EXPECT_NE(LoadFile(elsewhere).find(u8"image = \"../cours/images/b.jpg\""), std::string::npos);
    EXPECT_NE(moved.out.find(u8"Disposition « image », demandée par --disposition.\n"),
              std::string::npos);
    EXPECT_EQ(windows.Run({"check", elsewhere}).code, EXIT_DONE);

    const auto before = Listing(folder.path);
    const struct {
        std::vector<std::string> args;
        std::string err;
    } refusals[] = {
        {{"importer"}, u8"il manque le fichier : quizzpack importer TABLEAU.csv"},
        {{"importer", table, "--disposition", "photo"},
         u8"disposition « photo » inconnue : texte, image, son ou video"},
        {{"importer", table, "--player", "p.exe"},
         u8"option « --player » inconnue pour importer (quizzpack --help)"},
        {{"new", "a.toml", "--disposition", "image"},
         u8"option « --disposition » inconnue pour new (quizzpack --help)"},
        {{"importer", folder / "absent.csv"},
         u8"impossible de lire « " + (folder / "absent.csv") + u8" » : fichier introuvable"},
        {{"importer", folder / "sans.csv"},
         u8"« " + (folder / "sans.csv") +
             u8" » : la première ligne, « France;Paris », ne nomme aucune colonne connue"},
    };
    for (const auto& c : refusals) {
        const Outcome run = windows.Run(c.args);
        EXPECT_EQ(run.code, EXIT_USAGE) << c.err;
        EXPECT_EQ(run.err.substr(0, c.err.size() + 12), "quizzpack : " + c.err);
    }
    EXPECT_EQ(Listing(folder.path), before);
}

// A Moodle bank's picture is written beside the source, in images/, and
// named by it; a workbook's sheet is chosen by --feuille.
TEST(Commands, ImporterWritesTheBanksPicturesAndReadsTheSheetNamed)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string bank = folder / "banque.xml";
    SaveFile(bank, LoadFile(std::string(IMPORT_CORPUS_DIR) + "/banque_moodle.xml"));
    const Outcome imported = windows.Run({"importer", bank});
    EXPECT_NE(imported.out.find(u8"1 image jointe écrite à côté : « images/sommet_alpes.png »."),
              std::string::npos)
        << imported.out;
    EXPECT_EQ(LoadFile(folder / "images/sommet_alpes.png").compare(0, 4, "\x89PNG"), 0);
    EXPECT_NE(LoadFile(folder / "banque.toml").find("image = \"images/sommet_alpes.png\""),
              std::string::npos);

    const std::string workbook = folder / "classeur.ods";
    SaveFile(workbook, LoadFile(std::string(IMPORT_CORPUS_DIR) + "/classeur.ods"));
    const Outcome sheet = windows.Run({"importer", workbook, "--feuille=Autre"});
    EXPECT_NE(sheet.out.find(u8"(classeur LibreOffice (.ods), feuille « Autre »)"),
              std::string::npos)
        << sheet.out;
    EXPECT_NE(LoadFile(folder / "classeur.toml").find("reponse = \"autre\""), std::string::npos);
}

// A quiz packed before answers lost their typing traps: its source comes back
// as it was, and a rebuild differs by those answers alone, which is told.
TEST(Commands, ExtractTellsWhichAnswersARebuildFixes)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string packed = folder / "ancien.exe";
    SaveFile(packed, "packed");
    QuizRecord record;
    CopyText(record.title, "Pays");
    record.questionCount = 2;
    record.answersPerQuestion = 1;
    record.revealMode = REVEAL_NONE;
    AppendQuestion(record, "l\x92Italie", "", "Botte ?");
    AppendQuestion(record, "Irlande\xA0", "", "Trèfle ?");
    Bytes quiz, codes;
    std::string reason;
    ASSERT_TRUE(BuildQuizPayload(record, quiz) && BuildCodesPayload(record, codes));
    std::vector<QuizResource>& resources = windows.modules[packed];
    resources.push_back({"PATCH", 104, {}});
    resources.push_back({"PATCH", 105, {}});
    ASSERT_TRUE(CodePayload(quiz, resources[0].data, reason) &&
                CodePayload(codes, resources[1].data, reason))
        << reason;

    const Outcome extract = windows.Run({"extract", packed});
    EXPECT_EQ(extract.code, EXIT_DONE) << extract.err;
    const std::string source = folder / "ancien/ancien.toml";
    EXPECT_NE(LoadFile(source).find(u8"reponse = \"l’Italie\""), std::string::npos);
    // Told at their lines in the source written, whatever its comments.
    for (const char* told :
         {u8": note : question 1, reponse : « l’Italie » devient « l'Italie » (apostrophe "
          u8"typographique remplacée par ', que tapent les élèves)\n",
          u8": note : question 2, reponse : « Irlande\u00A0 » devient « Irlande » (espace "
          u8"insécable ou spéciale remplacée par une espace ordinaire, la seule que tapent les "
          u8"élèves ; espace retirée au bord de la réponse : le lecteur ôte celles que tapent "
          u8"les élèves, pas celles de la réponse attendue)\n",
          u8"\nquizzpack : reconstruit, ce quiz aura ces réponses corrigées, que les élèves "
          u8"pourront taper ; le reste sera identique.\n"})
        EXPECT_NE(extract.err.find(told), std::string::npos) << extract.err;
}

// A quiz packed before pictures were stored as the player shows them best:
// a rebuild converts its pictures, which is told, and nothing else changes.
TEST(Commands, ExtractTellsThatARebuildConvertsOlderPictures)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string packed = folder / "formes.exe";
    SaveFile(packed, "packed");
    std::vector<QuizResource> resources;
    ASSERT_EQ(WithoutNotes(ProblemsOf(SOURCES[2], MEDIA, &resources)), "");
    for (QuizResource& resource : resources)
        if (resource.type == "IMG" && resource.id == 401)
            resource.data = DiscBitmap(300, 0x2050D0);
    windows.modules[packed] = resources;

    const Outcome extract = windows.Run({"extract", packed});
    EXPECT_EQ(extract.code, EXIT_DONE) << extract.err;
    EXPECT_NE(extract.err.find(u8"quizzpack : reconstruit, ce quiz aura ses images (1) en JPEG de "
                               u8"260 × 260 points au plus"),
              std::string::npos)
        << extract.err;
}

// Help after any command, or before it, explains that command and does
// nothing else, whatever else the line holds.
TEST(Commands, ExplainsEachCommandAfterIt)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const auto before = Listing(folder.path);
    for (const char* command :
         {"new", "check", "build", "page", "extract", "importer", "essai", "bilan"}) {
        const std::vector<std::vector<std::string>> lines = {
            {command, "--help"},
            {command, "-h"},
            {command, folder / "q.toml", "-o", "--help"},
            {"--help", command},
        };
        for (const auto& args : lines) {
            const Outcome run = windows.Run(args);
            EXPECT_EQ(run.code, EXIT_DONE) << command;
            EXPECT_EQ(run.out.rfind(std::string("quizzpack ") + command + " ", 0), 0u) << run.out;
            EXPECT_NE(run.out.find("Codes de sortie"), std::string::npos) << command;
            EXPECT_EQ(run.err, "") << command;
        }
    }
    const Outcome help = windows.Run({"-h"});
    EXPECT_EQ(help.code, EXIT_DONE);
    EXPECT_NE(help.out.find("quizzpack COMMANDE --help"), std::string::npos) << help.out;
    EXPECT_EQ(windows.Run({"--help", "pack"}).err,
              u8"quizzpack : commande inconnue « pack » : new, check, build, page, extract, "
              u8"importer, essai ou bilan (quizzpack --help les explique)\n");
    EXPECT_EQ(Listing(folder.path), before);
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

    // Built with its own icon, a quiz keeps its source, which names it.
    SaveFile(folder / "logo.png", PngOf(PlainPicture(300, 300, RED)));
    SaveFile(folder / "r.toml", std::string(u8"# Mon quiz\nicone = \"logo.png\"\n") + SOURCES[0]);
    ASSERT_EQ(windows.Run({"build", folder / "r.toml"}).code, EXIT_DONE);
    const Outcome kept = windows.Run({"extract", folder / "r.exe"});
    EXPECT_EQ(kept.code, EXIT_DONE) << kept.err;
    EXPECT_EQ(LoadFile(folder / "r/r.toml").rfind(u8"# Mon quiz\nicone = \"logo.ico\"\n", 0), 0u)
        << LoadFile(folder / "r/r.toml");
    EXPECT_FALSE(LoadFile(folder / "r/logo.ico").empty());
}

// A medium larger than a quiz can carry is refused by its size, before it is
// read: a sparse file of 1.2 GB costs nothing on the disk, and reading it
// whole was what ended quizzpack. One at the limit is read (and judged).
TEST(Commands, RefusesAMediumLargerThanAQuizCarriesBeforeReadingIt)
{
    const struct {
        uintmax_t size;
        std::string problem; // after "question 1, video : "
    } rows[] = {
        {1288490189,
         u8"« f.avi » : le fichier pèse 1,2 Go ; un quiz ne peut pas porter un média de plus de "
         u8"64 Mo : raccourcissez-le ou réduisez sa qualité (sa taille, pour une "
         u8"image)"},
        {MAX_MEDIUM_BYTES, u8"« f.avi » n'est pas une vidéo AVI"},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        FakeWindows windows(folder.path);
        const std::string q = folder / "q.toml";
        SaveFile(q, "titre = \"Films\"\ndisposition = \"video\"\n[[question]]\nreponse = "
                    "\"vert\"\nvideo = \"f.avi\"\n");
        SaveFile(folder / "f.avi", "");
        std::filesystem::resize_file(std::filesystem::u8path(folder / "f.avi"), row.size);
        const Outcome check = windows.Run({"check", q});
        EXPECT_EQ(check.code, EXIT_QUIZ_ERRORS);
        EXPECT_NE(check.err.find(q + u8":5:9: question 1, video : " + row.problem),
                  std::string::npos)
            << check.err;
    }
}

// Memory running out anywhere in a command is told, and ends it as any
// failure does: in the check (on the thread that stores pictures too, where
// an exception ended the program), or while the program is written.
TEST(Commands, TellsMemoryRunningOutInsteadOfEnding)
{
    const struct {
        const char* what;
        const char* command;
        const char* source;
        bool decodeFails;
        int code;
        std::string err; // a line of it
    } rows[] = {
        {"decoding a picture", "check", SOURCES[2], true, EXIT_QUIZ_ERRORS,
         u8"question 2, image : « b.bmp » : mémoire insuffisante pour aller au bout"},
        {"making the icon", "check", SOURCES[3], true, EXIT_QUIZ_ERRORS,
         u8"q.toml: mémoire insuffisante pour aller au bout : fermez d'autres programmes, ou "
         u8"allégez le quiz (des médias plus petits), puis réessayez ; rien n'est perdu\n"},
        {"writing the program", "build", SOURCES[4], false, EXIT_USAGE,
         u8"quizzpack : mémoire insuffisante pour aller au bout"},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        FakeWindows windows(folder.path);
        SaveFile(folder / "quizz.exe", "player");
        for (const auto& [name, data] : MEDIA)
            SaveFile(folder / name, data);
        SaveFile(folder / "q.toml", row.source);
        if (row.decodeFails)
            windows.platform.decodePicture = [](auto&, auto&, auto&) -> bool {
                throw std::bad_alloc();
            };
        else
            windows.platform.writePlayer = [](auto&, auto&, auto&, auto&) -> bool {
                throw std::bad_alloc();
            };
        const Outcome run = windows.Run({row.command, folder / "q.toml"});
        EXPECT_EQ(run.code, row.code) << row.what;
        EXPECT_NE(run.err.find(row.err), std::string::npos) << row.what << ": " << run.err;
    }
}

// A file to import over the size a table of questions has is refused by its
// size, before it is read (a sparse file: nothing on the disk).
TEST(Commands, ImporterRefusesAFileLargerThanATableOfQuestions)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string table = folder / "grand.csv";
    SaveFile(table, u8"Question;Réponse\n");
    std::filesystem::resize_file(std::filesystem::u8path(table), 100 << 20);
    const Outcome run = windows.Run({"importer", table});
    EXPECT_EQ(run.code, EXIT_USAGE);
    EXPECT_EQ(run.err, u8"quizzpack : impossible de lire « " + table +
                           u8" » : le fichier pèse 100,0 Mo ; un fichier à importer ne peut pas "
                           u8"dépasser 64 Mo : gardez-y les questions du quiz (90 au plus) et "
                           u8"importez ce fichier plus petit\n");
    EXPECT_EQ(Listing(folder.path).size(), 1u);
}

// bilan reads a folder of work, tells each file it set aside, sums the class
// up and writes the page and the sheet; run again, it reads past its own
// files and the quiz beside the work. From the quiz built, the same.
TEST(Commands, BilanGradesAFolderOfWorkAndWritesItsPageAndSheet)
{
    TempFolder folder;
    FakeWindows windows(folder.path);
    const std::string work = folder / "travaux", empty = folder / "vide";
    std::filesystem::create_directory(std::filesystem::u8path(work));
    std::filesystem::create_directory(std::filesystem::u8path(empty));
    const std::string q = work + "/capitales.toml";
    SaveFile(q, "titre = \"Capitales\"\ndisposition = \"texte\"\nrendre_travail = true\n"
                "[[question]]\nreponse = \"Paris\"\ntexte = \"France ?\"\n[[question]]\n"
                "reponse = \"Rome\"\ntexte = \"Italie ?\"\n");
    SaveFile(work + "/a.txt", Work("Capitales", u8"Léa", "2026-12-08 10:00", {"Paris", "Rome"}));
    SaveFile(work + "/b.txt", Work("Capitales", "Tom", "2026-12-08 10:01", {"paris", "Milan"}));
    SaveFile(work + "/c.txt", "bonjour");
    SaveFile(work + "/gros.txt", std::string(300 * 1024, 'x'));
    EXPECT_NE(windows.Run({"check", q}).out.find(u8", les élèves rendent leur travail,"),
              std::string::npos);

    const std::string page = work + "/bilan.html", sheet = work + "/bilan.csv";
    const std::string told =
        u8"2 élèves comptés, moyenne 1,5 sur 2 (75 %).\nRéussite par question : 1 : 100 % ; "
        u8"2 : 50 %.\n« " +
        page + u8" » et « " + sheet +
        u8" » écrits : ouvrez la page dans un navigateur pour l'imprimer, le tableau dans un "
        u8"tableur.\n";
    const std::string setAside =
        u8"c.txt : fichier abîmé ou qui n'est pas un travail rendu ; demandez à l'élève de le "
        u8"rendre à nouveau.\n";
    const std::string tooLarge =
        u8"gros.txt : laissé de côté : le fichier pèse 300 Ko ; un travail rendu pèse quelques "
        u8"Ko.\n";
    for (int run = 0; run < 2; ++run) {
        const Outcome bilan = windows.Run({"bilan", q, work});
        EXPECT_EQ(bilan.code, EXIT_DONE) << run;
        EXPECT_EQ(bilan.out, told) << run;
        EXPECT_EQ(bilan.err, tooLarge + setAside) << run;
    }
    EXPECT_EQ(LoadFile(sheet).rfind(u8"\xEF\xBB\xBFÉlève;Date;Score;", 0), 0u);
    EXPECT_NE(LoadFile(page).find("<svg"), std::string::npos);

    SaveFile(folder / "lecteur.exe", "player");
    ASSERT_EQ(
        windows
            .Run({"build", q, "--player", folder / "lecteur.exe", "-o", folder / "capitales.exe"})
            .code,
        EXIT_DONE);
    const Outcome built = windows.Run({"bilan", folder / "capitales.exe", work + "/a.txt",
                                       work + "/b.txt", "-o", folder / "juin"});
    EXPECT_EQ(built.code, EXIT_DONE) << built.err;
    EXPECT_NE(built.out.find(u8"2 élèves comptés, moyenne 1,5 sur 2"), std::string::npos);
    EXPECT_TRUE(IsFile(folder / "juin.html"));
    EXPECT_TRUE(IsFile(folder / "juin.csv"));

    const auto before = Listing(folder.path);
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"bilan"}, u8"quizzpack : il manque le fichier : quizzpack bilan QUIZ.toml DOSSIER\n"},
        {{"bilan", q},
         u8"quizzpack : il manque les travaux rendus : quizzpack bilan " + q +
             u8" DOSSIER (le dossier où sont les fichiers rendus par les élèves)\n"},
        {{"bilan", q, folder / "absent"},
         u8"quizzpack : « " + (folder / "absent") +
             u8" » introuvable : donnez le dossier des travaux rendus, ou leurs fichiers\n"},
        {{"bilan", q, empty},
         u8"quizzpack : aucun travail rendu à lire dans « " + empty +
             u8" » : mettez-y les fichiers rendus par les élèves\n"},
        {{"bilan", q, work + "/c.txt"},
         setAside + u8"quizzpack : aucun travail de ce quiz parmi les fichiers lus ; rien n'a "
                    u8"été écrit.\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = windows.Run(c.args);
        EXPECT_EQ(run.code, EXIT_USAGE) << c.err;
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(Listing(folder.path), before);
}
