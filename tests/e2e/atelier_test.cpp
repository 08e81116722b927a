// The atelier started under Wine as a teacher starts it, driven by a robot
// through its fields, menus and dialogs: a picture quiz made from nothing,
// saved, created as a program and a web page, and played; a quiz program
// opened, changed and saved again; the question before unsaved changes go;
// problems that come and go as the fields change; the work of a killed
// atelier offered back by the next; the class's work pasted into the Bilan
// de la classe and exported.
#include "atelier/window/control_ids.h"
#include "authoring/media/placeholder_media.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/windows_platform.h"
#include "authoring/source/source_writer.h"
#include "authoring/source/starter_quiz.h"
#include "quiz/pupil_results.h"
#include "tests/e2e/carried_photo.h"
#include "tests/robot/atelier_robot.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// A folder of its own under the temporary folder, removed at the end.
struct Folder {
    std::string path;
    explicit Folder(const char* name) : path(TemporaryPath(name))
    {
        fs::remove_all(fs::u8path(path));
        fs::create_directories(fs::u8path(path));
    }
    ~Folder()
    {
        std::error_code ignored;
        fs::remove_all(fs::u8path(path), ignored);
    }
    std::string operator/(const std::string& name) const { return path + "\\" + name; }
};

void Save(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::string error;
    ASSERT_TRUE(WriteNewFiles({{path, bytes}}, error)) << error;
}

// Runs a program to its end; its exit code.
DWORD RunToItsEnd(const std::string& program, const std::string& arguments)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\" " + arguments;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return STILL_ACTIVE;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::vector<QuizResource> ResourcesOf(const std::string& program)
{
    std::vector<QuizResource> resources;
    std::string error;
    EXPECT_TRUE(ReadModuleResources(program, resources, error)) << error;
    return resources;
}

// The errors among the problems shown, not the notes of what a build does.
std::vector<std::string> Errors(const std::vector<std::string>& problems)
{
    std::vector<std::string> errors;
    for (const std::string& problem : problems)
        if (problem.rfind("Erreur|", 0) == 0)
            errors.push_back(problem);
    return errors;
}

// The control of the atelier that has the keyboard focus.
int FocusedControl(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return GetDlgCtrlID(info.hwndFocus);
}

} // namespace

// A teacher's first quiz: three photos from another folder, each a question,
// saved with its media, created as a program whose resources are those that
// quizzpack builds from the saved source, and played.
TEST(Atelier, MakesAPictureQuizFromNothing)
{
    const Folder photos("atelier-photos");
    const Folder quiz("atelier-quiz");
    Save(photos / "chat.jpg", CarriedPhoto());
    Save(photos / "chien.bmp", DiscBitmap(120, 0x8B4513));
    Save(photos / "lapin.jpg", DiscPicture(64, 0xDDDDDD));

    AtelierRobot atelier;
    ASSERT_NE(atelier.Window(), nullptr);
    atelier.Command(ID_FILE_NEW);
    ASSERT_TRUE(
        atelier.ChooseInDialog("Nouveau quiz", IDC_NEW_TEXT, IDC_NEW_FILM, IDC_NEW_PICTURE));
    ASSERT_TRUE(atelier.Press("Nouveau quiz", IDOK));
    EXPECT_TRUE(atelier.WaitFor([&] {
        return atelier.Problems() ==
               std::vector<std::string>{
                   u8"Attention|Titre|vide : le lecteur montre le titre en haut de sa fenêtre ; "
                   u8"donnez-en un",
                   u8"Erreur|Question 1, image|manquante : dans la disposition \"image\", chaque "
                   u8"question a son image (JPEG, PNG, GIF, BMP ou TIFF)",
                   u8"Erreur|Question 1, réponse|vide : l'élève ne pourrait jamais la trouver"};
    })) << atelier.Problems().size();

    atelier.SetText(IDC_TITLE, "Les animaux");
    atelier.SetText(IDC_ANSWER, "chat");
    atelier.SetText(IDC_MEDIUM, photos / "chat.jpg");
    // The photo as the player shows it: fitted into its square.
    EXPECT_TRUE(atelier.WaitFor([&] {
        return atelier.Text(IDC_PREVIEW) == u8"Image de 260 × 195 pixels";
    })) << atelier.Text(IDC_PREVIEW);
    atelier.Command(ID_QUESTION_ADD);
    ASSERT_TRUE(atelier.WaitFor([&] { return atelier.Text(IDC_QUESTION_GROUP) == "Question 2"; }));
    atelier.SetText(IDC_ANSWER, "chien");
    atelier.Click(IDC_MEDIUM_PICK);
    ASSERT_TRUE(atelier.AnswerFileDialog("Choisir une image", photos / "chien.bmp"));
    EXPECT_TRUE(atelier.WaitFor([&] { return atelier.Text(IDC_MEDIUM) != ""; }));
    atelier.Command(ID_QUESTION_ADD);
    ASSERT_TRUE(atelier.WaitFor([&] { return atelier.Text(IDC_QUESTION_GROUP) == "Question 3"; }));
    atelier.SetText(IDC_ANSWER, "lapin");
    atelier.SetText(IDC_MEDIUM, photos / "lapin.jpg");
    EXPECT_EQ(atelier.Rows(IDC_QUESTION_LIST), 3);
    EXPECT_EQ(atelier.Cell(IDC_QUESTION_LIST, 1, 1) + " " + atelier.Cell(IDC_QUESTION_LIST, 1, 2),
              "chien chien.bmp");

    // The verdict the player would give, from its own grading.
    atelier.SetText(IDC_TRY_ANSWER, "lapn");
    EXPECT_EQ(atelier.Text(IDC_TRY_VERDICT), "Quasiment");
    atelier.SetText(IDC_TRY_ANSWER, "lapin");
    EXPECT_EQ(atelier.Text(IDC_TRY_VERDICT), "BRAVO");

    // A problem comes with an empty answer, leads to its field, and goes.
    EXPECT_TRUE(atelier.WaitFor([&] { return Errors(atelier.Problems()).empty(); }));
    atelier.SetText(IDC_ANSWER, "");
    const std::string empty =
        u8"Erreur|Question 3, réponse|vide : l'élève ne pourrait jamais la trouver";
    ASSERT_TRUE(atelier.WaitFor([&] { return Errors(atelier.Problems()) == std::vector{empty}; }));
    EXPECT_NE(atelier.Text(IDC_PROBLEM_GROUP).find("1 erreur"), std::string::npos);
    PostMessageW(GetDlgItem(atelier.Window(), IDC_PROBLEMS), WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM(60, 30));
    EXPECT_TRUE(atelier.WaitFor([&] { return FocusedControl(atelier.Window()) == IDC_ANSWER; }));
    atelier.SetText(IDC_ANSWER, "lapin");
    EXPECT_TRUE(atelier.WaitFor([&] { return Errors(atelier.Problems()).empty(); }));
    EXPECT_EQ(atelier.Caption(), u8"*Sans titre – Atelier Quizz");

    // Saved: the source, and the photos copied beside it.
    atelier.Command(ID_FILE_SAVE);
    ASSERT_TRUE(atelier.AnswerFileDialog("Enregistrer le quiz", quiz / "animaux.toml"));
    ASSERT_TRUE(atelier.WaitFor([&] {
        return atelier.Caption() == u8"animaux.toml – Atelier Quizz";
    })) << atelier.Caption();
    for (const char* name : {"chat.jpg", "chien.bmp", "lapin.jpg"})
        EXPECT_EQ(FileText(quiz / ("medias\\" + std::string(name))), FileText(photos / name))
            << name;

    // Created: the resources of quizzpack's build of the saved source.
    atelier.Command(ID_FILE_BUILD);
    ASSERT_TRUE(atelier.AnswerFileDialog(u8"Créer le quiz", quiz / "animaux.exe"));
    // Told in a dialog of its own, not only in the status bar.
    const HWND created = atelier.WaitForDialog(u8"Quiz créé");
    ASSERT_NE(created, nullptr);
    wchar_t told[512] = {};
    GetDlgItemTextW(created, IDC_ASK_TEXT, told, 512);
    EXPECT_EQ(Narrow(told).rfind(u8"« animaux.exe » est créé dans « ", 0), 0u) << Narrow(told);
    EXPECT_NE(Narrow(told).find(u8"atelier-quiz » : "), std::string::npos) << Narrow(told);
    for (int button : {IDYES, IDNO, IDCANCEL})
        EXPECT_NE(GetDlgItem(created, button), nullptr) << button;
    ASSERT_TRUE(atelier.Press(u8"Quiz créé", IDCANCEL));
    ASSERT_TRUE(atelier.WaitFor([&] {
        return atelier.Text(IDC_STATUS).rfind(u8"« animaux.exe » créé", 0) == 0;
    })) << atelier.Text(IDC_STATUS);
    ASSERT_EQ(RunToItsEnd(g_quizzpackPath, "build \"" + (quiz / "animaux.toml") + "\" -o \"" +
                                               (quiz / "reference.exe") + "\""),
              0u);
    const std::vector<QuizResource> built = ResourcesOf(quiz / "animaux.exe");
    EXPECT_EQ(built.size(), 7u); // the two payloads, three pictures, the kept source, the icon
    EXPECT_TRUE(built == ResourcesOf(quiz / "reference.exe"));

    // Its web page: the one quizzpack makes, told in the same kind of dialog.
    atelier.Command(ID_FILE_BUILD_PAGE);
    ASSERT_TRUE(atelier.AnswerFileDialog(u8"Créer la page web", quiz / "animaux.html"));
    const HWND page = atelier.WaitForDialog(u8"Page web créée");
    ASSERT_NE(page, nullptr);
    GetDlgItemTextW(page, IDC_ASK_TEXT, told, 512);
    EXPECT_EQ(Narrow(told).rfind(u8"« animaux.html » est créée dans « ", 0), 0u) << Narrow(told);
    for (const auto& [button, label] :
         {std::pair{IDNO, u8"Ouvrir dans le &navigateur"}, std::pair{IDYES, u8"Ouvrir le &dossier"},
          std::pair{IDCANCEL, u8"Fermer"}})
        EXPECT_EQ(WindowText(GetDlgItem(page, button)), label) << button;
    ASSERT_TRUE(atelier.Press(u8"Page web créée", IDCANCEL));
    ASSERT_EQ(RunToItsEnd(g_quizzpackPath, "page \"" + (quiz / "animaux.toml") + "\" -o \"" +
                                               (quiz / "reference.html") + "\""),
              0u);
    EXPECT_EQ(FileText(quiz / "animaux.html").rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_TRUE(FileText(quiz / "animaux.html") == FileText(quiz / "reference.html"));
    {
        PlayerProcess player(quiz / "animaux.exe");
        HWND main = player.WaitForMainWindow(30000);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(WindowText(main), "Les animaux");
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(player.WaitForExit(30000), 0u);
    }

    // Unsaved changes are asked about: Annuler keeps the atelier open, Ne
    // pas enregistrer closes it and leaves the file as saved.
    atelier.SetText(IDC_TITLE, "Les animaux familiers");
    EXPECT_EQ(atelier.Caption(), u8"*animaux.toml – Atelier Quizz");
    atelier.Close();
    ASSERT_TRUE(atelier.Press("Atelier Quizz", IDCANCEL));
    EXPECT_EQ(atelier.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE));
    atelier.Close();
    ASSERT_TRUE(atelier.Press("Atelier Quizz", IDNO));
    EXPECT_EQ(atelier.WaitForExit(30000), 0u);
    EXPECT_NE(FileText(quiz / "animaux.toml").find("titre = \"Les animaux\"\n"), std::string::npos);
}

// A quiz program opened: extracted into a new folder inside the one chosen,
// changed, saved again in place, and opened again from the command line.
TEST(Atelier, OpensAQuizProgramAndSavesItAgain)
{
    const Folder work("atelier-program");
    QuizSource source;
    std::vector<MediaFile> media;
    StarterQuiz(LAYOUT_PICTURE, source, media);
    const std::string text = WriteQuizSource(source, "disques.toml");
    Save(work / "disques.toml", {text.begin(), text.end()});
    for (const MediaFile& file : media)
        Save(BesideFile(work / "disques.toml", file.name), file.data);
    ASSERT_EQ(RunToItsEnd(g_quizzpackPath, "build \"" + (work / "disques.toml") + "\""), 0u);
    fs::create_directories(fs::u8path(work / "extraits"));

    const std::string extracted = work / "extraits\\disques\\disques.toml";
    {
        AtelierRobot atelier;
        ASSERT_NE(atelier.Window(), nullptr);
        atelier.Command(ID_FILE_OPEN);
        ASSERT_TRUE(atelier.AnswerFileDialog("Ouvrir un quiz", work / "disques.exe"));
        ASSERT_TRUE(atelier.AnswerFolderDialog(work / "extraits"));
        ASSERT_TRUE(atelier.WaitFor([&] {
            return atelier.Caption() == u8"disques.toml – Atelier Quizz";
        })) << atelier.Caption();
        EXPECT_EQ(FileText(extracted), text);
        EXPECT_EQ(atelier.Rows(IDC_QUESTION_LIST), 3);
        EXPECT_EQ(atelier.Text(IDC_TITLE), "Les disques de couleur");
        EXPECT_EQ(atelier.Text(IDC_ANSWER), "rouge");

        atelier.SetText(IDC_ANSWER, "pourpre");
        EXPECT_EQ(atelier.Caption(), u8"*disques.toml – Atelier Quizz");
        atelier.Command(ID_FILE_SAVE);
        ASSERT_TRUE(
            atelier.WaitFor([&] { return atelier.Caption() == u8"disques.toml – Atelier Quizz"; }));
        EXPECT_NE(FileText(extracted).find("reponse = \"pourpre\""), std::string::npos);
        atelier.Close();
        EXPECT_EQ(atelier.WaitForExit(30000), 0u);
    }
    AtelierRobot again(extracted);
    ASSERT_TRUE(again.WaitFor([&] { return again.Caption() == u8"disques.toml – Atelier Quizz"; }));
    EXPECT_EQ(again.Text(IDC_ANSWER), "pourpre");
    again.Close();
    EXPECT_EQ(again.WaitForExit(30000), 0u);
}

// A teacher's work outlives a killed atelier: the next one offers it;
// Récupérer gives it back unsaved, for Ctrl+S to save where it was; Ignorer
// leaves it aside until the atelier closes normally.
TEST(Atelier, OffersBackTheWorkOfAKilledAtelier)
{
    const Folder work("atelier-recovery");
    QuizSource source;
    std::vector<MediaFile> media;
    StarterQuiz(LAYOUT_TEXT, source, media);
    const std::string text = WriteQuizSource(source, "capitales.toml");
    Save(work / "capitales.toml", {text.begin(), text.end()});
    const auto editAndKill = [&](const std::string& title) {
        AtelierRobot atelier(work / "capitales.toml");
        ASSERT_TRUE(atelier.WaitFor(
            [&] { return atelier.Caption() == u8"capitales.toml – Atelier Quizz"; }));
        atelier.SetText(IDC_TITLE, title);
        atelier.SetText(IDC_ANSWER, "Lisbonne");
        ASSERT_TRUE(atelier.WaitFor([] { return RecoveryCopies().size() == 1; }));
        atelier.Kill();
    };

    editAndKill(u8"Capitales sauvées");
    {
        AtelierRobot again("", true);
        ASSERT_TRUE(again.Press(u8"Récupération", IDYES));
        ASSERT_TRUE(again.WaitFor([&] { return again.Text(IDC_TITLE) == u8"Capitales sauvées"; }));
        EXPECT_EQ(again.Text(IDC_ANSWER), "Lisbonne");
        EXPECT_EQ(again.Caption(), u8"*capitales.toml – Atelier Quizz");
        again.Command(ID_FILE_SAVE);
        ASSERT_TRUE(
            again.WaitFor([&] { return again.Caption() == u8"capitales.toml – Atelier Quizz"; }));
        EXPECT_NE(FileText(work / "capitales.toml").find(u8"titre = \"Capitales sauvées\""),
                  std::string::npos);
        EXPECT_TRUE(again.WaitFor([] { return RecoveryCopies().empty(); }));
        again.Close();
        EXPECT_EQ(again.WaitForExit(30000), 0u);
    }

    editAndKill("Capitales perdues");
    {
        AtelierRobot again("", true);
        ASSERT_TRUE(again.Press(u8"Récupération", IDNO));
        EXPECT_EQ(again.Caption(), u8"Sans titre – Atelier Quizz");
        EXPECT_EQ(RecoveryCopies().size(), 1u); // kept until a normal close
        again.Close();
        EXPECT_EQ(again.WaitForExit(30000), 0u);
    }
    EXPECT_TRUE(RecoveryCopies().empty());
}

// The class's work pasted from the pupils' messages into the Bilan de la
// classe, read into its table, and exported through the system's save
// dialogs: a spreadsheet, and a page to print.
TEST(Atelier, ReadsTheClassWorkAndExportsItThroughTheDialogs)
{
    const Folder work("atelier-bilan");
    const std::string source = u8"titre = \"Villes d'été\"\ndisposition = \"texte\"\n"
                               u8"rendre_travail = true\n\n[[question]]\nreponse = \"Paris\"\n"
                               u8"texte = \"Capitale de la France ?\"\n\n[[question]]\n"
                               u8"reponse = \"Séville\"\ntexte = \"Ville d'Andalousie ?\"\n";
    Save(work / "villes.toml", {source.begin(), source.end()});
    const std::vector<unsigned char> key = WorkKey("Villes d'\xE9t\xE9");
    const auto block = [&](const std::string& name, const std::string& first,
                           const std::string& second) {
        return ResultsBlock(
            WriteResults({QuizIdentity(key), name, "2026-12-08 10:32", {first, second}}, key));
    };

    AtelierRobot atelier(work / "villes.toml");
    ASSERT_NE(atelier.Window(), nullptr);
    ASSERT_TRUE(atelier.WaitFor([&] { return atelier.Caption().rfind("villes.toml", 0) == 0; }));
    atelier.Command(ID_FILE_CLASS_RESULTS);
    const HWND bilan = atelier.ClassResults();
    ASSERT_NE(bilan, nullptr);
    EXPECT_EQ(WindowText(bilan), "Bilan de la classe \x96 Villes d'\xE9t\xE9"); // ANSI
    atelier.PasteWork("> " + block(u8"Zoé Durand", "Paris", "S\xE9ville") + "\r\n\r\n" +
                      block("Hugo Petit", "Paris", "Madrid"));
    ASSERT_TRUE(atelier.WaitFor([&] { return atelier.Rows(IDC_RESULTS_TABLE, bilan) == 3; }));
    EXPECT_EQ(atelier.Cell(IDC_RESULTS_TABLE, 1, 0, bilan), u8"Zoé Durand");
    EXPECT_EQ(atelier.Cell(IDC_RESULTS_TABLE, 1, 3, bilan), u8"Séville");
    EXPECT_EQ(atelier.Cell(IDC_RESULTS_TABLE, 2, 2, bilan), "100 %");

    const struct {
        int command;
        const char* dialog;
        std::string file;
        const char* told;
        std::string start;
    } exports[] = {
        {IDC_RESULTS_EXPORT, u8"Exporter le bilan pour un tableur", work / "bilan.csv",
         u8"Bilan exporté dans « ", "\xEF\xBB\xBF"},
        {IDC_RESULTS_PAGE, u8"Enregistrer la page à imprimer", work / "bilan.html",
         u8"Page enregistrée dans « ", "<!DOCTYPE html>"},
    };
    for (const auto& row : exports) {
        atelier.Command(row.command, bilan);
        ASSERT_TRUE(atelier.AnswerFileDialog(row.dialog, row.file)) << row.dialog;
        EXPECT_TRUE(atelier.WaitFor([&] {
            return atelier.Text(IDC_RESULTS_STATUS, bilan).rfind(row.told, 0) == 0;
        })) << atelier.Text(IDC_RESULTS_STATUS, bilan);
        EXPECT_EQ(FileText(row.file).rfind(row.start, 0), 0u) << row.file;
        EXPECT_NE(FileText(row.file).find("Hugo Petit"), std::string::npos) << row.file;
    }
    atelier.Close();
    EXPECT_EQ(atelier.WaitForExit(30000), 0u);
}
